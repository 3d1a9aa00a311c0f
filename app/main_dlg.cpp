#include "app/main_dlg.h"

#include "app/app_icon.h"
#include "app/app_info.h"
#include "app/com_set_dlg.h"
#include "app/control_id.h"
#include "app/dialog_units.h"
#include "app/main_commands.h"
#include "app/main_dlg_commands.h"
#include "app/string_table.h"
#include "app/ui_fonts.h"
#include "common/pane_text.h"
#include "common/user_paths.h"
#include "serial/com_settings.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>

#include <map>

namespace vm {
namespace {

constexpr int kTemplateWidth = 280;  // dialog units
constexpr int kTemplateHeight = 341;
constexpr int kToolBarControlId = 0xE800;
constexpr int kCommTimerMs = 300;

QStyle::StandardPixmap PixmapOf(ToolIcon icon) {
    switch (icon) {
        case ToolIcon::New:
            return QStyle::SP_FileIcon;
        case ToolIcon::Open:
            return QStyle::SP_DialogOpenButton;
        case ToolIcon::SaveAs:
            return QStyle::SP_DialogSaveButton;
        case ToolIcon::Exit:
            return QStyle::SP_DialogCloseButton;
        case ToolIcon::Upload:
            return QStyle::SP_ArrowUp;
        case ToolIcon::Download:
            return QStyle::SP_ArrowDown;
    }
    return QStyle::SP_FileIcon;
}

// The pane's text as the widget holds it, with its line breaks as '\n'.
QString PaneWidgetText(const QPlainTextEdit* edit) {
    return edit->document()->toRawText();
}

}  // namespace

CMainDlg::CMainDlg(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    ResetCommState(*this);
    m_commTimer.setInterval(kCommTimerMs);
    connect(&m_commTimer, &QTimer::timeout, this, [this] { OnTimer(*this); });
    OnInitDialog();
}

CMainDlg::~CMainDlg() {
    m_commTimer.stop();
}

void CMainDlg::OnInitDialog() {
    setFont(MainDialogFont());
    CreateControls();
    UpdateData(false);
    setWindowTitle(QString::fromUtf8(kAppTitle));
    CreateMenu();
    CreateToolBar();
    LayOutAroundToolBar();
    g_comSetDlg.m_settings = LoadComSettings(LocalIniPath());
    setWindowIcon(AppIcon());
}

void CMainDlg::CreateControls() {
    const DialogUnits du = DialogUnits::ForFont(font());
    m_editText = new QPlainTextEdit(this);
    SetControlId(m_editText, 1007);
    m_editText->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_editText->setTabChangesFocus(true);
    du.place(m_editText, 2, 0, 275, 322);

    m_editStatus = new QLineEdit(this);
    SetControlId(m_editStatus, 1010);
    m_editStatus->setReadOnly(true);
    m_editStatus->setFrame(false);
    du.place(m_editStatus, 3, 326, 274, 12);
}

void CMainDlg::CreateMenu() {
    m_menuBar = new QMenuBar(this);
    std::map<std::string, QMenu*> popups;
    for (const MenuCommand& command : MainMenuCommands()) {
        QMenu*& popup = popups[command.popup];
        if (!popup)
            popup = m_menuBar->addMenu(QString::fromUtf8(command.popup));
        if (command.id == 0) {
            popup->addSeparator();
            continue;
        }
        QAction* action = popup->addAction(QString::fromUtf8(command.caption));
        SetControlId(action, command.id);
        const int id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
}

void CMainDlg::CreateToolBar() {
    m_toolBar = new QToolBar(this);
    SetControlId(m_toolBar, kToolBarControlId);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ToolBarButton& button : MainToolBarButtons()) {
        // No text: a button without a string of its own shows no tooltip at all.
        QAction* action =
            m_toolBar->addAction(style()->standardIcon(PixmapOf(button.icon)), QString());
        SetControlId(action, button.id);
        action->setToolTip(QString::fromStdString(TooltipFor(button.id)));
        const int id = button.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
}

// The template's controls start at the top of the client area; the menu and
// toolbar take the top rows, so every control moves down by their height and
// the window grows by as much.
void CMainDlg::LayOutAroundToolBar() {
    const DialogUnits du = DialogUnits::ForFont(font());
    const QSize client = du.toPixels(kTemplateWidth, kTemplateHeight);
    const int menuHeight = m_menuBar->sizeHint().height();
    const int barHeight = m_toolBar->sizeHint().height();
    const int shift = menuHeight + barHeight;
    for (QWidget* control :
         {static_cast<QWidget*>(m_editText), static_cast<QWidget*>(m_editStatus)}) {
        control->move(control->pos() + QPoint(0, shift));
    }
    m_menuBar->setGeometry(0, 0, client.width(), menuHeight);
    m_toolBar->setGeometry(0, menuHeight, client.width(), barHeight);
    setFixedSize(client.width(), client.height() + shift);
}

bool CMainDlg::UpdateData(bool saveAndValidate) {
    if (saveAndValidate) {
        QTextDocument* document = m_editText->document();
        if (document->isModified()) {
            m_shownBytes = EncodePaneText(PaneWidgetText(m_editText), m_paneEncoding);
            document->setModified(false);
        }
        m_strText = m_shownBytes;
        // The status line is read-only: it holds what was last shown.
        return true;
    }
    ShowPaneBytes(m_strText);
    ShowStatus(m_strStatus);
    return true;
}

void CMainDlg::ShowPaneBytes(const std::string& bytes) {
    QTextDocument* document = m_editText->document();
    if (bytes == m_shownBytes && !document->isModified())
        return;
    m_paneEncoding = DetectPaneEncoding(bytes);
    m_editText->setPlainText(DecodePaneBytes(bytes, m_paneEncoding));
    document->setModified(false);
    m_shownBytes = bytes;
}

void CMainDlg::ShowStatus(const std::string& status) {
    const QString text = QString::fromUtf8(status.data(), qsizetype(status.size()));
    if (m_editStatus->text() != text)
        m_editStatus->setText(text);
    m_editStatus->setCursorPosition(0);
}

long long CMainDlg::PaneLineCount() const {
    if (!m_editText->document()->isModified())
        return CountPaneLines(m_shownBytes);
    // An edited pane re-encodes every line break as CR LF.
    return m_editText->document()->blockCount();
}

void CMainDlg::StopComm() {
    CloseSerialPort(*this);
    StopCommTimer();
}

void CMainDlg::StartCommTimer() {
    m_commTimer.start();
}

void CMainDlg::StopCommTimer() {
    m_commTimer.stop();
}

bool CMainDlg::OnCommand(int id) {
    const CommandHandler handler = FindCommandHandler(id);
    if (!handler)
        return false;
    handler(*this);
    return true;
}

}  // namespace vm
