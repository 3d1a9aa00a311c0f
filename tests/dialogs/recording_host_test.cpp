// The recording host stands in for a toolkit in every dialog test: a check
// box toggles on a click, a disabled control refuses one, and Close ends the run.

#include <gtest/gtest.h>

#include "tests/support/recording_dialog_host.h"

namespace vm {
namespace {

constexpr ControlRow kRows[] = {
    {1100, ControlKind::Edit, "", 10, 10, 100, 12},
    {1101, ControlKind::Check, "CAD", 10, 30, 100, 10},
    {kIdOk, ControlKind::DefaultButton, "OK", 10, 50, 50, 14},
};
constexpr DialogTemplate kTemplate = MakeTemplate(0, "Probe", 120, 70, kRows);

class ProbeDialog : public Dialog {
public:
    const DialogTemplate& Template() const override { return kTemplate; }
    void OnOpened(DialogHost& host) override { host.SetEnabled(kIdOk, false); }
    void OnClicked(DialogHost& host, int id) override {
        if (id == 1101)
            host.SetEnabled(kIdOk, host.Checked(1101));
        if (id == kIdOk) {
            host.MessageBox(host.Text(1100));
            host.Close(kIdOk);
        }
    }
};

TEST(RecordingDialogHost, drivesADescriptionAsAUserWould) {
    ProbeDialog dialog;
    RecordingDialogHost host(dialog);
    host.Open();
    EXPECT_EQ(host.title, "Probe");
    EXPECT_THROW(host.Click(kIdOk), std::logic_error);
    host.Type(1100, "点 P1");
    host.Click(1101);
    host.Click(kIdOk);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "点 P1");
    EXPECT_EQ(host.result(), kIdOk);
}

}  // namespace
}  // namespace vm
