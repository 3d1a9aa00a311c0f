// The Qt face of the dialog descriptions: every control of every description
// made with its kind, id, caption and rectangle; and what the user does
// reaching the description, while what the description sets does not.
#include "tests/app/main_window_fixture.h"

#include "app/dialog_renderer/qt_dialog_host.h"
#include "app/dialog_units.h"
#include "dialogs/dialog_templates.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QThread>

namespace vm::test {
namespace {

class TemplateOnly : public Dialog {
public:
    explicit TemplateOnly(const DialogTemplate& t) : m_template(t) {}
    const DialogTemplate& Template() const override { return m_template; }

private:
    const DialogTemplate& m_template;
};

// The widget class, caption and state that stand for a row's kind; "" when it fits.
std::string KindMismatch(const ControlRow& row, QWidget* w) {
    const QString caption = QString::fromUtf8(row.caption);
    const auto button = qobject_cast<QPushButton*>(w);
    const auto edit = qobject_cast<QLineEdit*>(w);
    const auto box = qobject_cast<QPlainTextEdit*>(w);
    const auto label = qobject_cast<QLabel*>(w);
    bool fits = false;
    switch (row.kind) {
        case ControlKind::Group:
            fits = qobject_cast<QGroupBox*>(w) && qobject_cast<QGroupBox*>(w)->title() == caption;
            break;
        case ControlKind::Label:
            fits = label && label->text() == caption;
            break;
        case ControlKind::Icon:
            fits = label && !label->pixmap().isNull();
            break;
        case ControlKind::Check:
            fits = qobject_cast<QCheckBox*>(w) && qobject_cast<QCheckBox*>(w)->text() == caption;
            break;
        case ControlKind::Radio:
            fits =
                qobject_cast<QRadioButton*>(w) && qobject_cast<QRadioButton*>(w)->text() == caption;
            break;
        case ControlKind::Edit:
        case ControlKind::ShownPath:
            fits = edit && edit->isReadOnly() == (row.kind == ControlKind::ShownPath);
            break;
        case ControlKind::PathBox:
        case ControlKind::StatusBox:
            fits = box && box->isReadOnly() == (row.kind == ControlKind::StatusBox);
            break;
        case ControlKind::List:
            fits = qobject_cast<QComboBox*>(w);
            break;
        case ControlKind::ListBox:
            fits = qobject_cast<QListWidget*>(w);
            break;
        case ControlKind::Table:
            fits = qobject_cast<QTableWidget*>(w);
            break;
        case ControlKind::Canvas:
            fits = w != nullptr;
            break;
        case ControlKind::DefaultButton:
        case ControlKind::Button:
        case ControlKind::FocusButton:
            fits = button && button->text() == caption &&
                   button->isDefault() == (row.kind == ControlKind::DefaultButton) &&
                   button->autoDefault() == (row.kind != ControlKind::Button);
            break;
    }
    return fits ? std::string() : std::string(w ? w->metaObject()->className() : "nothing");
}

TEST(QtDialogHost, makesEveryControlOfEveryDescriptionWithItsKindIdCaptionAndRectangle) {
    EnsureApplication();
    for (const DialogTemplate* t : EveryDialogTemplate()) {
        TemplateOnly description(*t);
        QtDialogHost window(description);
        EXPECT_EQ(window.windowTitle().toStdString(), t->title);
        const DialogUnits du = DialogUnits::ForFont(window.font());
        EXPECT_EQ(window.size(), du.toPixels(t->width, t->height)) << t->title;
        // Made in row order, so the n-th child widget is the n-th row's.
        const QList<QWidget*> made =
            window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_GE(made.size(), qsizetype(t->rowCount)) << t->title;
        for (std::size_t i = 0; i < t->rowCount; ++i) {
            const ControlRow& row = t->rows[i];
            QWidget* w = made[qsizetype(i)];
            const std::string where = std::string(t->title) + " row " + std::to_string(i);
            EXPECT_EQ(ControlId(w), row.id) << where;
            EXPECT_EQ(KindMismatch(row, w), "") << where;
            EXPECT_EQ(w->geometry(), du.toPixels(row.x, row.y, row.width, row.height)) << where;
        }
    }
}

constexpr ControlRow kProbeRows[] = {
    {1100, ControlKind::Edit, "", 10, 10, 100, 12},
    {1101, ControlKind::List, "", 10, 30, 100, 12},
    {kIdOk, ControlKind::DefaultButton, "OK", 10, 50, 50, 14},
};
constexpr DialogTemplate kProbe = MakeTemplate(0, "Probe", 120, 70, kProbeRows);

class Probe : public Dialog {
public:
    const DialogTemplate& Template() const override { return kProbe; }
    void OnOpened(DialogHost& host) override {
        host.SetText(1100, "set by the dialog");
        host.SetItems(1101, {"a", "b"});
        host.SetSelection(1101, 1);
    }
    void OnClicked(DialogHost& host, int id) override {
        events.push_back("click " + std::to_string(id));
        host.RunInBackground([this] { workThread = QThread::currentThread(); },
                             [this] { doneThread = QThread::currentThread(); });
    }
    void OnTextChanged(DialogHost& host, int id) override {
        events.push_back("text " + std::to_string(id) + " " + host.Text(id));
    }
    void OnSelectionChanged(DialogHost& host, int id) override {
        events.push_back("choose " + std::to_string(id) + " " + host.Text(id));
    }
    void OnFocusLeft(DialogHost&, int id) override {
        events.push_back("leave " + std::to_string(id));
    }
    bool OnCloseRequested(DialogHost&) override { return mayClose; }

    std::vector<std::string> events;
    QThread* workThread = nullptr;
    QThread* doneThread = nullptr;
    bool mayClose = false;
};

TEST(QtDialogHost, forwardsWhatTheUserDoesNotWhatTheDialogSets) {
    EnsureApplication();
    Probe probe;
    QtDialogHost window(probe);
    window.Open();
    Ctl<QLineEdit>(window, 1100)->setText("P1");
    Ctl<QComboBox>(window, 1101)->setCurrentIndex(0);
    Leave(window, 1100);
    Click(window, kIdOk);
    EXPECT_EQ(probe.events,
              (std::vector<std::string>{"text 1100 P1", "choose 1101 a", "leave 1100", "click 1"}));
    ASSERT_TRUE(RunEventsUntil([&] { return probe.doneThread != nullptr; }, 5000));
    EXPECT_NE(probe.workThread, QThread::currentThread());
    EXPECT_EQ(probe.doneThread, QThread::currentThread());

    window.reject();  // Escape: the description says no
    EXPECT_EQ(window.result(), 0);
    probe.mayClose = true;
    window.reject();
    EXPECT_EQ(window.result(), kIdCancel);
}

}  // namespace
}  // namespace vm::test
