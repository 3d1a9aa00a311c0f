#include "dialogs/universal/universal_convert_dialog.h"

#include <array>
#include <memory>
#include <utility>

#include "common/file_io.h"
#include "dialogs/dialog_host.h"
#include "dialogs/universal/layout_preview_table.h"
#include "universal/number_box.h"

namespace vm {
namespace {

using Dlg = UniversalConvertDialog;

// The lists of each side in the order point number, attribute, X, Y, Z, sequence number.
constexpr int kSourceLists[] = {1046, 1039, 1040, 1041, 1047, 1050};
constexpr int kTargetLists[] = {1042, 1043, 1044, 1045, 1048, 1052};
// The separator boxes act as radio pairs: {comma, space} of each side.
constexpr int kSourceComma = 1057, kSourceSpace = 1058;
constexpr int kTargetComma = 1061, kTargetSpace = 1062;
// Each separator box clicked: {the box ticked, the box cleared}.
constexpr std::pair<int, int> kSeparatorPairs[] = {{kSourceComma, kSourceSpace},
                                                   {kSourceSpace, kSourceComma},
                                                   {kTargetComma, kTargetSpace},
                                                   {kTargetSpace, kTargetComma}};

int* Item(ColumnLayout& c, int i) {
    int* items[] = {&c.pointNumber, &c.attribute, &c.x, &c.y, &c.z, &c.sequenceNumber};
    return items[i];
}

// The constants' boxes with their members, in the order of the data exchange.
std::array<std::pair<int, double*>, 6> NumberBoxes(Dlg& d) {
    return {{{1065, &d.m_fAddX},
             {1066, &d.m_fAddY},
             {1067, &d.m_fAddZ},
             {1071, &d.m_fMulZ},
             {1070, &d.m_fMulY},
             {1069, &d.m_fMulX}}};
}

bool IsNumberBox(int id) {
    return id == Dlg::kStartNumberId || (id >= 1065 && id <= 1067) || (id >= 1069 && id <= 1071);
}

void PickPair(DialogHost& host, int ticked, int unticked) {
    host.SetChecked(unticked, false);
    host.SetChecked(ticked, true);
}

}  // namespace

UniversalConvertDialog::UniversalConvertDialog(std::string iniPath)
    : m_strIniPath(std::move(iniPath)) {}

void UniversalConvertDialog::OnOpened(DialogHost& host) {
    std::vector<std::string> positions;
    for (int n = 1; n <= kLayoutPositions; ++n)
        positions.push_back(std::to_string(n));
    for (int i = 0; i < kLayoutPositions; ++i) {
        host.SetItems(kSourceLists[i], positions);
        host.SetItems(kTargetLists[i], positions);
    }
    UpdateData(host, false);
    PickPair(host, kSourceComma, kSourceSpace);
    PickPair(host, kTargetComma, kTargetSpace);
    ApplyLayout(host, LoadLayoutSettings(m_strIniPath));
    RefreshPreview(host);
}

void UniversalConvertDialog::ApplyLayout(DialogHost& host, const LayoutSettings& layout) {
    LayoutSettings copy = layout;
    host.SetChecked(kAttributeId, layout.attributeEnabled);
    host.SetChecked(kNumberingId, layout.numberingEnabled);
    FollowSwitches(host);
    for (int i = 0; i < kLayoutPositions; ++i) {
        host.SetSelection(kSourceLists[i], NormalizedPosition(*Item(copy.source, i)));
        host.SetSelection(kTargetLists[i], NormalizedPosition(*Item(copy.target, i)));
    }
}

// The attribute list follows its box; the sequence list and the start number follow theirs.
void UniversalConvertDialog::FollowSwitches(DialogHost& host) {
    host.SetEnabled(1043, host.Checked(kAttributeId));
    host.SetEnabled(1052, host.Checked(kNumberingId));
    host.SetEnabled(kStartNumberId, host.Checked(kNumberingId));
}

void UniversalConvertDialog::OnClicked(DialogHost& host, int id) {
    if (RunButton(host, id))
        return;
    if (id == 1053)
        BrowseSource(host);
    if (id == 1054)
        BrowseTarget(host);
    if (id == kAttributeId || id == kNumberingId)
        FollowSwitches(host);
    for (const auto& [ticked, unticked] : kSeparatorPairs) {
        if (id == ticked)
            PickPair(host, ticked, unticked);
    }
    RefreshPreview(host);
}

// The buttons that change no setting: the viewers, "预览", "转换" and "退出".
bool UniversalConvertDialog::RunButton(DialogHost& host, int id) {
    if (id == 1072 || id == 1073)
        View(host, id == 1072 ? m_strSourcePath : m_strTargetPath);
    else if (id == kPreviewButtonId)
        PreviewTarget(host);
    else if (id == kIdOk && !m_running)
        Convert(host);
    else if (id == kIdCancel && !m_running)
        host.Close(kIdCancel);
    else
        return id == kIdOk || id == kIdCancel;
    return true;
}

void UniversalConvertDialog::OnSelectionChanged(DialogHost& host, int id) {
    (void)id;
    RefreshPreview(host);
}

void UniversalConvertDialog::OnTextChanged(DialogHost& host, int id) {
    (void)id;
    RefreshPreview(host);
}

void UniversalConvertDialog::OnFocusLeft(DialogHost& host, int id) {
    // The message box of a refusal takes the focus: that is not the user leaving.
    if (IsNumberBox(id) && !m_inExchange)
        UpdateData(host, true);
}

bool UniversalConvertDialog::UpdateData(DialogHost& host, bool saveAndValidate) {
    if (!saveAndValidate) {
        host.SetText(kSourcePathId, m_strSourcePath);
        host.SetText(kTargetPathId, m_strTargetPath);
        host.SetText(kStartNumberId, std::to_string(m_nStartNumber));
        for (const auto& [id, member] : NumberBoxes(*this))
            host.SetText(id, FormatNumberBox(*member));
        return true;
    }
    m_strSourcePath = host.Text(kSourcePathId);
    m_strTargetPath = host.Text(kTargetPathId);
    const auto refuse = [this, &host](int id, const char* message) {
        m_inExchange = true;
        host.MessageBox(message, std::string(), MsgButtons::Ok, MsgIcon::Warning);
        host.SetFocus(id);  // the text selected, ready to be typed over
        m_inExchange = false;
        return false;
    };
    if (!ParseIntegerBox(host.Text(kStartNumberId), m_nStartNumber))
        return refuse(kStartNumberId, kEnterIntegerMessage);
    for (const auto& [id, member] : NumberBoxes(*this)) {
        if (!ParseNumberBox(host.Text(id), *member))
            return refuse(id, kEnterNumberMessage);
    }
    return true;
}

void UniversalConvertDialog::BrowseSource(DialogHost& host) {
    if (const std::optional<std::string> path = host.AskOpenFile(TextDataFileRequest())) {
        m_strSourcePath = *path;
        UpdateData(host, false);
    }
}

void UniversalConvertDialog::BrowseTarget(DialogHost& host) {
    const std::optional<std::string> path = host.AskSaveFile(TextDataFileRequest());
    if (!path)
        return;
    m_strTargetPath = *path;
    // The chosen file exists from now on, emptied (the user agreed to replace it).
    FileError error;
    if (!WriteFileAtomic(*path, std::string(), &error))
        host.MessageBox(error.message, std::string(), MsgButtons::Ok, MsgIcon::Warning);
    UpdateData(host, false);
}

void UniversalConvertDialog::View(DialogHost& host, const std::string& path) {
    if (!path.empty() && !host.ViewFile(path))
        host.MessageBox(kNoViewerMessage + path);
}

// The target file, read in the target layout the dialog shows now.
void UniversalConvertDialog::PreviewTarget(DialogHost& host) {
    UpdateData(host, true);
    if (m_strTargetPath.empty()) {
        host.MessageBox(kMissingTargetMessage);
        return;
    }
    const UniversalConversionRun run = RunFromControls(host);
    LayoutColumns layout;
    layout.columns = run.layout.target;
    layout.attributeEnabled = run.layout.attributeEnabled;
    layout.separator = run.targetSeparator;
    host.PreviewPoints(m_strTargetPath, PointFileKind::Layout, layout);
}

LayoutSettings UniversalConvertDialog::LayoutFromControls(const DialogHost& host) const {
    LayoutSettings layout;
    for (int i = 0; i < kLayoutPositions; ++i) {
        *Item(layout.source, i) = NormalizedPosition(host.Selection(kSourceLists[i]));
        *Item(layout.target, i) = NormalizedPosition(host.Selection(kTargetLists[i]));
    }
    layout.attributeEnabled = host.Checked(kAttributeId);
    layout.numberingEnabled = host.Checked(kNumberingId);
    return layout;
}

UniversalConversionRun UniversalConvertDialog::RunFromControls(const DialogHost& host) const {
    UniversalConversionRun run;
    run.layout = LayoutFromControls(host);
    run.sourceSeparator = host.Checked(kSourceComma) ? ',' : ' ';
    run.targetSeparator = host.Checked(kTargetComma) ? ',' : ' ';
    run.headerCount = host.Checked(kHeaderCountId);
    run.startNumber = m_nStartNumber;
    run.addX = m_fAddX;
    run.addY = m_fAddY;
    run.addZ = m_fAddZ;
    run.mulX = m_fMulX;
    run.mulY = m_fMulY;
    run.mulZ = m_fMulZ;
    run.sourcePath = m_strSourcePath;
    run.targetPath = m_strTargetPath;
    return run;
}

void UniversalConvertDialog::Convert(DialogHost& host) {
    UpdateData(host, true);  // a refused box keeps the members it did not reach
    UpdateData(host, false);
    struct Shared {
        UniversalConversionRun run;
        UniversalConversionResult result;
    };
    const auto shared = std::make_shared<Shared>();
    shared->run = RunFromControls(host);
    SaveLayoutSettings(m_strIniPath, shared->run.layout);  // stored even when the run stops early
    ShowRunning(host, true);
    host.RunInBackground([shared] { shared->result = ConvertLayoutFile(shared->run); },
                         [this, &host, shared] {
                             ShowRunning(host, false);
                             // The advanced counter is kept but not shown: the box
                             // shows it once the members are next written to the
                             // boxes (a browse does that).
                             m_nStartNumber = shared->run.startNumber;
                             for (const ConversionMessage& m : shared->result.messages) {
                                 host.MessageBox(m.text, m.caption, MsgButtons::Ok,
                                                 m.failure ? MsgIcon::Warning : MsgIcon::None);
                             }
                         });
}

// While a run goes on, "转换" and "退出" are disabled and the dialog shows the busy cursor.
void UniversalConvertDialog::ShowRunning(DialogHost& host, bool running) {
    m_running = running;
    host.SetEnabled(kIdOk, !running);
    host.SetEnabled(kIdCancel, !running);
    host.SetBusy(running);
}

// The run as the controls show it now, without the data exchange (which would
// complain about a box the user is still typing in).
void UniversalConvertDialog::RefreshPreview(DialogHost& host) {
    UniversalConversionRun run = RunFromControls(host);
    TakeShownNumbers(host, run);
    run.sourcePath = host.Text(kSourcePathId);
    ShowLayoutPreview(host, kPreviewTableId, run);
}

}  // namespace vm
