#include "app/dialog_renderer/qt_dialog_host.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QThread>

#include "app/app_icon.h"
#include "app/control_table.h"
#include "app/dialog_renderer/qt_hint_relay.h"
#include "app/hints/hint_wnd.h"
#include "app/ui_fonts.h"

namespace vm {
namespace {

constexpr Qt::WindowFlags kDialogFlags =
    Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

void SetDialogFont(QWidget* dialog, DialogFont font) {
    switch (font) {
        case DialogFont::SansSerif8:
            dialog->setFont(MainDialogFont());
            break;
        case DialogFont::Song10:
            dialog->setFont(SettingsDialogFont());
            break;
        case DialogFont::Tahoma10:
            dialog->setFont(TahomaDialogFont());
            break;
        case DialogFont::Desktop:
            break;
    }
}

}  // namespace

QtDialogHost::QtDialogHost(Dialog& dialog, QWidget* parent)
    : QDialog(parent, kDialogFlags), m_dialog(dialog) {
    const DialogTemplate& t = dialog.Template();
    SetDialogFont(this, t.font);
    setWindowTitle(QString::fromUtf8(t.title));
    setWindowIcon(AppIcon());
    MakeControls(this, t.width, t.height, t.rows, t.rowCount);
    for (std::size_t i = 0; i < t.rowCount; ++i) {
        if (t.rows[i].id != kStaticId)
            ConnectControl(Control(t.rows[i].id), t.rows[i].id);
    }
    AttachHints();
}

QtDialogHost::~QtDialogHost() {
    m_closing = true;
    delete m_hintRelay;  // before the hints it relays to go
    m_hintRelay = nullptr;
    for (QThread* thread : m_threads)
        thread->wait();  // a file being written is written completely
}

void QtDialogHost::ConnectControl(QWidget* control, int id) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        connect(button, &QAbstractButton::clicked, this,
                [this, id] { Forward([&] { m_dialog.OnClicked(*this, id); }); });
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        connect(list, &QComboBox::currentIndexChanged, this,
                [this, id] { Forward([&] { m_dialog.OnSelectionChanged(*this, id); }); });
    } else if (auto* box = qobject_cast<QListWidget*>(control)) {
        connect(box, &QListWidget::currentRowChanged, this,
                [this, id] { Forward([&] { m_dialog.OnSelectionChanged(*this, id); }); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        connect(edit, &QLineEdit::textChanged, this,
                [this, id] { Forward([&] { m_dialog.OnTextChanged(*this, id); }); });
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(control)) {
        connect(text, &QPlainTextEdit::textChanged, this,
                [this, id] { Forward([&] { m_dialog.OnTextChanged(*this, id); }); });
    }
    control->installEventFilter(this);
}

void QtDialogHost::AttachHints() {
    const std::vector<ControlHint>& hints = m_dialog.Hints();
    if (hints.empty())
        return;
    m_hints = std::make_unique<CHintWnd>();
    m_hints->SetOwner(this);
    const QColor white(255, 255, 255), black(0, 0, 0);
    for (const ControlHint& hint : hints)
        m_hints->AddHint(hint.controlId, hint.lines, white, black);
    m_hintRelay = new QtHintRelay(this, *m_hints);
}

bool QtDialogHost::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Focus going to another window (a message box, another program) is not
        // the user leaving the control: it is still the dialog's focus.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const int id = ControlId(watched);
        if (id != kStaticId && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::PopupFocusReason)
            Forward([&] { m_dialog.OnFocusLeft(*this, id); });
    }
    return QDialog::eventFilter(watched, event);
}

void QtDialogHost::Open() {
    if (m_opened)
        return;
    m_opened = true;
    m_dialog.OnOpened(*this);
}

int QtDialogHost::Run() {
    Open();
    exec();
    return m_result;
}

void QtDialogHost::Close(int result) {
    m_result = result;
    done(result);
}

void QtDialogHost::reject() {
    if (m_closing || m_dialog.OnCloseRequested(*this))
        Close(kIdCancel);
}

QWidget* QtDialogHost::Control(int id) const {
    return findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

}  // namespace vm
