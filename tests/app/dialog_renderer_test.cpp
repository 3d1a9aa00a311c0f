// The Qt face of the dialog descriptions: every control of every description
// made with its kind, id, caption and rectangle; and what the user does
// reaching the description, while what the description sets does not.
#include "tests/app/main_window_fixture.h"

#include "app/dialog_renderer/qt_dialog_host.h"
#include "app/dialog_units.h"
#include "dialogs/dialog_templates.h"

#include <QComboBox>
#include <QPixmap>
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

// What a control was made as: its widget class, caption (a title or a text,
// whatever the widget), and the states that set the kinds apart; the widget
// of each kind in the order of ControlKind.
constexpr const char* kWidgetOfKind[] = {
    "QGroupBox",      "QLabel",         "QCheckBox",   "QRadioButton", "QLineEdit",    "QLineEdit",
    "QPlainTextEdit", "QPlainTextEdit", "QComboBox",   "QListWidget",  "QTableWidget", "QWidget",
    "QLabel",         "QPushButton",    "QPushButton", "QPushButton"};
static_assert(std::size(kWidgetOfKind) == std::size_t(ControlKind::FocusButton) + 1);

std::string Made(const QWidget* w) {
    const QVariant title = w->property("title");
    return std::string(w->metaObject()->className()) + " \"" +
           (title.isValid() ? title : w->property("text")).toString().toStdString() + "\"" +
           (w->property("readOnly").toBool() ? " read-only" : "") +
           (w->property("default").toBool() ? " default" : "") +
           (w->property("autoDefault").toBool() ? " auto-default" : "") +
           (w->property("pixmap").value<QPixmap>().isNull() ? "" : " icon");
}

std::string Expected(const ControlRow& row) {
    const ControlKind k = row.kind;
    const bool readOnly = k == ControlKind::ShownPath || k == ControlKind::StatusBox;
    const bool button = k >= ControlKind::DefaultButton;
    return std::string(kWidgetOfKind[int(k)]) + " \"" +
           (k == ControlKind::Icon ? "" : row.caption) + "\"" + (readOnly ? " read-only" : "") +
           (k == ControlKind::DefaultButton ? " default" : "") +
           (button && k != ControlKind::Button ? " auto-default" : "") +
           (k == ControlKind::Icon ? " icon" : "");
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
            EXPECT_EQ(Made(w), Expected(row)) << where;
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
