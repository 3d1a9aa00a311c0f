#include "app/main_window/main_dlg.h"

#include "app/app_icon.h"
#include "dialogs/app_info.h"
#include "dialogs/com_set_dialog.h"
#include "app/control_id.h"
#include "app/dialog_units.h"
#include "app/main_window/main_commands.h"
#include "dialogs/main_menu.h"
#include "app/main_window/main_dlg_commands.h"
#include "app/main_window/pane_guard.h"
#include "app/main_window/recent_downloads_menu.h"
#include "app/main_window/window_features.h"
#include "dialogs/string_table.h"
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
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>

#include <algorithm>
#include <map>

namespace vm {
namespace {

constexpr int kTemplateWidth = 280;  // dialog units
constexpr int kTemplateHeight = 341;
constexpr int kToolBarControlId = 0xE800;
constexpr int kCommTimerMs = 300;
// Characters put into the pane per step: about a tenth of a second each.
constexpr qsizetype kPaneChunkChars = 256 * 1024;

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

// End of the step that starts at from, never between the halves of a surrogate pair.
qsizetype ChunkEnd(const QString& text, qsizetype from) {
    qsizetype end = std::min(text.size(), from + kPaneChunkChars);
    if (end < text.size() && text.at(end - 1).isHighSurrogate())
        --end;
    return end;
}

}  // namespace

CMainDlg::CMainDlg(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    ResetCommState(*this);
    m_commTimer.setInterval(kCommTimerMs);
    connect(&m_commTimer, &QTimer::timeout, this, [this] { OnTimer(*this); });
    m_loadTimer.setSingleShot(true);
    connect(&m_loadTimer, &QTimer::timeout, this, [this] { LoadNextChunk(); });
    OnInitDialog();
}

CMainDlg::~CMainDlg() {
    m_commTimer.stop();
    m_loadTimer.stop();
}

void CMainDlg::OnInitDialog() {
    setFont(MainDialogFont());
    CreateControls();
    UpdateData(false);
    setWindowTitle(QString::fromUtf8(kAppTitle));
    CreateMenu();
    AddRecentDownloadsMenu(*this);
    CreateToolBar();
    LayOutAroundToolBar();
    g_comSetDlg.m_settings = LoadComSettings(LocalIniPath());
    setWindowIcon(AppIcon());
    AttachWindowFeatures(*this);
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

// The two lists of the File menu are submenus found by these names.
void CMainDlg::CreateMenu() {
    m_menuBar = new QMenuBar(this);
    std::map<std::string, QMenu*> popups;
    for (const MenuItem& item : MainMenuItems()) {
        QMenu*& popup = popups[item.popup];
        if (!popup)
            popup = m_menuBar->addMenu(QString::fromUtf8(item.popup));
        if (item.entry == MenuEntry::Separator) {
            popup->addSeparator();
        } else if (item.entry != MenuEntry::Command) {
            QMenu* list = popup->addMenu(QString::fromUtf8(item.caption));
            list->setObjectName(QString::fromLatin1(item.entry == MenuEntry::RecentFiles
                                                        ? kRecentFilesMenuName
                                                        : kRecentDownloadsMenuName));
        } else {
            AddCommand(popup, item);
        }
    }
}

// A shortcut works wherever the focus is in the window.
void CMainDlg::AddCommand(QMenu* popup, const MenuItem& item) {
    QAction* action = popup->addAction(QString::fromUtf8(item.caption));
    SetControlId(action, item.id);
    const int id = item.id;
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    if (item.shortcut) {
        action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
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
    resize(client.width(), client.height() + shift);
}

bool CMainDlg::UpdateData(bool saveAndValidate) {
    if (saveAndValidate) {
        QTextDocument* document = m_editText->document();
        if (document->isModified() && !IsPaneLoading()) {
            m_shownBytes = EncodePaneText(PaneWidgetText(m_editText), m_paneEncoding);
            m_shownLines = CountPaneLines(m_shownBytes);
            m_paneGrowth.Forget();
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
    const bool edited = document->isModified() && !IsPaneLoading();
    if (bytes == m_shownBytes && !edited)
        return;
    const bool grows = !edited && !IsPaneLoading() && PaneGrowth::Extends(m_shownBytes, bytes);
    if (grows && m_paneGrowth.Append(*m_editText, m_shownBytes, bytes, m_paneEncoding)) {
        // A download's new bytes: only they were decoded and appended.
        const size_t from = m_shownBytes.empty() ? 0 : m_shownBytes.size() - 1;
        m_shownLines += CountPaneLines(bytes.substr(from)) - 1;
        m_shownBytes.append(bytes, m_shownBytes.size(), std::string::npos);
        return;
    }
    m_paneGrowth.Forget();
    m_shownLines = CountPaneLines(bytes);
    StopLoading();
    m_paneEncoding = grows ? DetectGrowingPaneEncoding(bytes) : DetectPaneEncoding(bytes);
    QString text = DecodePaneBytes(bytes, m_paneEncoding);
    m_shownBytes = bytes;
    const qsizetype firstEnd = ChunkEnd(text, 0);
    if (firstEnd == text.size()) {
        m_editText->setPlainText(text);
        document->setModified(false);
        return;
    }
    m_editText->setPlainText(text.left(firstEnd));
    m_pendingText = std::move(text);
    m_pendingPos = firstEnd;
    m_editText->setReadOnly(true);
    document->setUndoRedoEnabled(false);
    m_loadTimer.start(0);
}

void CMainDlg::LoadNextChunk() {
    if (!IsPaneLoading())
        return;
    const qsizetype end = ChunkEnd(m_pendingText, m_pendingPos);
    QTextCursor cursor(m_editText->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(m_pendingText.mid(m_pendingPos, end - m_pendingPos));
    m_pendingPos = end;
    if (end < m_pendingText.size()) {
        m_loadTimer.start(0);
        return;
    }
    StopLoading();
}

// Ends the filling of the pane where it stands (complete, or about to be replaced).
void CMainDlg::StopLoading() {
    if (!IsPaneLoading())
        return;
    m_loadTimer.stop();
    m_pendingText.clear();
    m_pendingPos = 0;
    m_editText->setReadOnly(false);
    m_editText->document()->setUndoRedoEnabled(true);
    m_editText->document()->setModified(false);
}

void CMainDlg::ShowStatus(const std::string& status) {
    const QString text = QString::fromUtf8(status.data(), qsizetype(status.size()));
    if (m_editStatus->text() != text)
        m_editStatus->setText(text);
    m_editStatus->setCursorPosition(0);
}

long long CMainDlg::PaneLineCount() const {
    if (!m_editText->document()->isModified() || IsPaneLoading()) {
        return m_shownLines;
    }
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

void CMainDlg::reject() {
    if (ConfirmDiscardPane(*this))
        QDialog::reject();
}

bool CMainDlg::OnCommand(int id) {
    const CommandHandler handler = FindCommandHandler(id);
    if (!handler)
        return false;
    handler(*this);
    return true;
}

}  // namespace vm
