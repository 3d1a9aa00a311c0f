// The Win32 renderer of the dialog descriptions, under wine: every kind of
// control is made with its class, id, caption and rectangle in dialog units,
// and the description reads, sets and hears its controls by id.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/win32.h"

#include <commctrl.h>

#include "dialogs/about_dialog.h"
#include "win/dialog_host.h"
#include "win/window_text.h"

namespace vm::win32 {
namespace {

constexpr ControlRow kEveryKind[] = {
    {kStaticId, ControlKind::Group, "组", 2, 2, 200, 120},
    {101, ControlKind::Label, "标签", 7, 12, 40, 8},
    {102, ControlKind::Check, "勾选", 50, 12, 40, 10},
    {103, ControlKind::Radio, "甲", 95, 12, 30, 10},
    {104, ControlKind::Radio, "乙", 130, 12, 30, 10},
    {105, ControlKind::Edit, "", 7, 25, 60, 12},
    {106, ControlKind::PathBox, "", 70, 25, 60, 20},
    {107, ControlKind::StatusBox, "", 135, 25, 60, 20},
    {108, ControlKind::List, "", 7, 50, 60, 12},
    {109, ControlKind::ListBox, "", 70, 50, 60, 30},
    {110, ControlKind::Table, "", 135, 50, 60, 30},
    {111, ControlKind::Canvas, "", 7, 85, 30, 20},
    {113, ControlKind::ShownPath, "", 40, 85, 90, 12},
    {114, ControlKind::Icon, "", 135, 85, 20, 20},
    {kIdOk, ControlKind::DefaultButton, "确定", 210, 5, 50, 14},
    {kIdCancel, ControlKind::Button, "取消", 210, 22, 50, 14},
    {112, ControlKind::FocusButton, "浏览", 210, 39, 50, 14},
};
constexpr DialogTemplate kTemplate = MakeTemplate(900, "每种控件", 270, 125, kEveryKind);

std::wstring ClassOf(HWND control) {
    wchar_t name[64] = {};
    GetClassNameW(control, name, 64);
    return name;
}

const wchar_t* ExpectedClass(ControlKind kind) {
    switch (kind) {
        case ControlKind::Group:
        case ControlKind::Check:
        case ControlKind::Radio:
        case ControlKind::DefaultButton:
        case ControlKind::Button:
        case ControlKind::FocusButton:
            return L"Button";
        case ControlKind::Edit:
        case ControlKind::PathBox:
        case ControlKind::StatusBox:
        case ControlKind::ShownPath:
            return L"Edit";
        case ControlKind::List:
            return L"ComboBox";
        case ControlKind::ListBox:
            return L"ListBox";
        case ControlKind::Table:
            return L"SysListView32";
        case ControlKind::Label:
        case ControlKind::Canvas:
        case ControlKind::Icon:
            return L"Static";
    }
    return L"";
}

// Runs its checks once the dialog is up, records what the description
// heard, and closes.
class ProbeDialog : public Dialog {
public:
    const DialogTemplate& Template() const override { return kTemplate; }
    void OnOpened(DialogHost& host) override;
    void OnClicked(DialogHost&, int id) override {
        heard.push_back("clicked " + std::to_string(id));
    }
    void OnTextChanged(DialogHost&, int id) override {
        heard.push_back("text " + std::to_string(id));
    }
    void OnSelectionChanged(DialogHost&, int id) override {
        heard.push_back("selection " + std::to_string(id));
    }
    std::vector<std::string> heard;
    bool doneRan = false;
};

void CheckControls(HWND dialog) {
    for (const ControlRow& row : kEveryKind) {
        if (row.id == kStaticId)
            continue;
        SCOPED_TRACE(row.id);
        HWND control = GetDlgItem(dialog, row.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(ClassOf(control), ExpectedClass(row.kind));
        // The dialog manager maps the position and the size each on their own.
        RECT want{row.x, row.y, row.width, row.height};
        MapDialogRect(dialog, &want);
        want.right += want.left;
        want.bottom += want.top;
        RECT got{};
        GetWindowRect(control, &got);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        EXPECT_EQ(got.right - got.left, want.right - want.left);
        if (row.kind != ControlKind::List) {  // a combo box's height is its closed height
            EXPECT_EQ(got.bottom - got.top, want.bottom - want.top);
        }
        if (row.kind == ControlKind::Label || row.kind == ControlKind::Check) {
            EXPECT_EQ(WindowText(control), row.caption);
        }
    }
}

void ProbeDialog::OnOpened(DialogHost& host) {
    HWND dialog = static_cast<Win32DialogHost&>(host).Window();
    CheckControls(dialog);
    EXPECT_EQ(WindowText(dialog), "每种控件");

    host.SetText(105, "坐标 1");  // set by the dialog: no "text changed"
    EXPECT_EQ(host.Text(105), "坐标 1");
    host.SetText(107, "第一行\n第二行");
    EXPECT_EQ(host.Text(107), "第一行\n第二行");
    EXPECT_EQ(WindowText(GetDlgItem(dialog, 107)), "第一行\r\n第二行");
    SetWindowTextW(GetDlgItem(dialog, 105), L"D:\\数据");  // as if typed
    EXPECT_EQ(host.Text(105), "D:\\数据");

    for (int list : {108, 109}) {
        host.SetItems(list, {"甲", "乙", "丙"});
        EXPECT_EQ(host.ItemCount(list), 3);
        EXPECT_EQ(host.Selection(list), -1);
        EXPECT_EQ(host.Text(list), "");
        host.SetSelection(list, 2);
        EXPECT_EQ(host.Text(list), "丙");
    }
    host.SetText(108, "乙");
    EXPECT_EQ(host.Selection(108), 1);

    host.SetChecked(102, true);
    EXPECT_TRUE(host.Checked(102));
    SendMessageW(GetDlgItem(dialog, 104), BM_CLICK, 0, 0);  // as if pressed
    EXPECT_TRUE(host.Checked(104));
    host.SetEnabled(112, false);
    EXPECT_FALSE(host.IsEnabled(112));

    host.SetTable(110, {"点名", "X"}, {{"P1", "1.000"}, {"P2", "2.000"}});
    host.MarkCell(110, 1, 1, "空列");
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, 110), LVM_GETITEMCOUNT, 0, 0), 2);
    host.SetText(113, "D:\\数据\\坐标.txt");
    EXPECT_EQ(host.Text(113), "D:\\数据\\坐标.txt");

    host.RunInBackground([] {},
                         [this, &host] {
                             doneRan = true;
                             host.Close(kIdOk);
                         });
}

TEST(Win32DialogHost, makesEveryControlAndCarriesTheDescriptionsWork) {
    ProbeDialog probe;
    EXPECT_EQ(RunDialog(nullptr, probe), kIdOk);
    EXPECT_TRUE(probe.doneRan);
    EXPECT_EQ(probe.heard, (std::vector<std::string>{"text 105", "clicked 104"}));
}

// The About box from its description: OK (pressed here by the dialog's own
// default-button message) closes it with id 1.
TEST(Win32DialogHost, aboutClosesWithOk) {
    class PressOk : public AboutDialog {
    public:
        void OnOpened(DialogHost& host) override {
            HWND dialog = static_cast<Win32DialogHost&>(host).Window();
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kIdOk, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, kIdOk)));
        }
    } about;
    EXPECT_EQ(RunDialog(nullptr, about), kIdOk);
}

}  // namespace
}  // namespace vm::win32
