#include "dialogs/download_convert_dialog.h"

#include <ctime>
#include <memory>

#include "common/file_io.h"
#include "common/user_paths.h"
#include "dialogs/dialog_host.h"
#include "dialogs/download_convert_paths.h"
#include "dialogs/preview_button.h"
#include "instrument/download_kind.h"
#include "instrument/other_makers_source.h"
#include "instrument/target_layout.h"

namespace vm {
namespace {

constexpr char kStatusRunning[] = "开始转换........";
constexpr char kNoSuchFileMessage[] = "文件不存在：";
constexpr char kReplaceDeclinedStatus[] = "转换已取消，没有替换任何文件";
constexpr char kNoTargetShown[] = "（未选择保存位置）";
constexpr char kBothSourcesMessage[] = "两种格式的文件不可以同时转换";

using Kind = ControlKind;
constexpr int kFormatListId = 1094;

// Group boxes come first so that the controls they frame lie above them, for
// the hint look-up too. The right-hand column (1090-1093) shows the target
// chosen for each output; "预览" sits below the buttons.
constexpr ControlRow kRows[] = {
    {1036, Kind::Group, "测量文件转换", 7, 4, 399, 100},
    {1086, Kind::Group, "坐标文件转换", 7, 108, 399, 52},
    {1071, Kind::Edit, "", 14, 18, 150, 13},
    {1072, Kind::Button, "打开位置...", 168, 17, 50, 14},
    {1080, Kind::Button, "查看", 222, 17, 28, 14},
    {1067, Kind::Check, "坐标转换", 14, 40, 48, 10},
    {1077, Kind::List, "", 66, 38, 98, 13},
    {1073, Kind::Button, "保存位置...", 168, 37, 50, 14},
    {1081, Kind::Button, "查看", 222, 37, 28, 14},
    {1068, Kind::Check, "角度距离", 14, 61, 48, 10},
    {1074, Kind::Button, "保存位置...", 168, 58, 50, 14},
    {1082, Kind::Button, "查看", 222, 58, 28, 14},
    {1069, Kind::Check, "角度", 14, 82, 48, 10},
    {1075, Kind::Button, "保存位置...", 168, 79, 50, 14},
    {1083, Kind::Button, "查看", 222, 79, 28, 14},
    {1078, Kind::Edit, "", 14, 122, 150, 13},
    {1076, Kind::Button, "打开位置...", 168, 121, 50, 14},
    {1084, Kind::Button, "查看", 222, 121, 28, 14},
    {1079, Kind::Button, "保存位置...", 168, 140, 50, 14},
    {1085, Kind::Button, "查看", 222, 140, 28, 14},
    {1090, Kind::ShownPath, "", 254, 37, 146, 14},
    {1091, Kind::ShownPath, "", 254, 58, 146, 14},
    {1092, Kind::ShownPath, "", 254, 79, 146, 14},
    {1093, Kind::ShownPath, "", 254, 140, 146, 14},
    {1094, Kind::List, "", 254, 17, 146, 13},  // the source's format: recognised or chosen
    {1087, Kind::StatusBox, "", 7, 166, 334, 38},
    {kIdOk, Kind::DefaultButton, "转换", 348, 166, 58, 16},
    {kIdCancel, Kind::Button, "放弃", 348, 188, 58, 16},
    {kPreviewButtonId, Kind::Button, "预览", 198, 210, 58, 16},
};
constexpr DialogTemplate kTemplate = MakeTemplate(178, "数据转换", 413, 230, kRows);

// The output boxes, each with the buttons it enables and the target shown.
struct Output {
    int checkId;
    std::initializer_list<int> controls;
};
const Output kOutputs[] = {{1067, {1081, 1073, 1077}}, {1068, {1082, 1074}}, {1069, {1083, 1075}}};

// The path a view button opens.
const std::string* ViewedPath(int buttonId) {
    switch (buttonId) {
        case 1080:
            return &g_strMeasSource;
        case 1081:
            return &g_strCoordExtractTarget;
        case 1082:
            return &g_strAngleDistTarget;
        case 1083:
            return &g_strAngleTarget;
        case 1084:
            return &g_strCoordSource;
        case 1085:
            return &g_strCoordTarget;
        default:
            return nullptr;
    }
}

// The target each browse button chooses.
std::string* BrowsedTarget(int buttonId) {
    switch (buttonId) {
        case 1073:
            return &g_strCoordExtractTarget;
        case 1074:
            return &g_strAngleDistTarget;
        case 1075:
            return &g_strAngleTarget;
        case 1079:
            return &g_strCoordTarget;
        default:
            return nullptr;
    }
}

void Enable(DialogHost& host, std::initializer_list<int> ids, bool enable) {
    for (const int id : ids)
        host.SetEnabled(id, enable);
}

}  // namespace

std::optional<PaneConversionQuestion> AskBeforeConvertingPane(const std::string& pane) {
    switch (ClassifyDownloadedBytes(pane)) {
        case DownloadKind::Measurement:
            return PaneConversionQuestion{"你打开的是测量文件???", 1};
        case DownloadKind::Coordinate:
            return PaneConversionQuestion{"你打开的是坐标文件???", 2};
        case DownloadKind::None:
            break;
    }
    // Another maker's file: named, and converted once the user confirms.
    const SourceFormat other = RecogniseSourceFormat(pane);
    if (other == SourceFormat::Own)
        return std::nullopt;
    return PaneConversionQuestion{
        std::string("你打开的是") + SourceFormatCaption(other) + "文件???", OtherMakersMode(other)};
}

const DialogTemplate& CDownloadConvertDlg::Template() const {
    return kTemplate;
}

const std::vector<ControlHint>& CDownloadConvertDlg::Hints() const {
    static const std::vector<ControlHint> hints = {
        {1, {"确定转换"}},
        {1071, {"要转换的测量文件名"}},
        {1078, {"要转换的坐标文件名"}},
        {1079, {"选择转换后的存放位置"}},
        {1067, {"提取测量数据中的坐标数据"}},
        {1068, {"提取测量数据中的角度距离数据", "斜距SD会被计算成平距和高差"}},
        {1069, {"提取测量数据中的纯角度数据"}},
        {1072, {"选择一个要转换的文件"}},
        {1073, {"选择转换后的存放位置"}},
        {1074, {"选择转换后的存放位置"}},
        {1075, {"选择转换后的存放位置"}},
        {1076, {"选择一个要转换的文件"}},
        {1087, {"操作状态"}},
        // The labels of the layout names, padded so that their meanings line up.
        {1077,
         {"选择转换后的数", "据格式,提示定义：", "PC    点号", "PA    点属性", "X     N坐标",
          "Y     E坐标", "Z     Z坐标", "PO    点序号"}},
    };
    return hints;
}

void CDownloadConvertDlg::OnOpened(DialogHost& host) {
    g_strMeasSource.clear();
    g_strCoordSource.clear();
    if (m_nMode == 1) {
        Enable(host, {1071, 1072, 1078, 1076, 1079, 1084, 1085}, false);
        g_strMeasSource = WorkFilePath();
    } else if (m_nMode == 2) {
        Enable(host, {1072, 1073, 1074, 1075, 1067, 1068, 1069, 1071, 1080, 1081, 1078, 1076},
               false);
        g_strCoordSource = WorkFilePath();
    }
    host.SetChecked(1067, true);
    Enable(host, {1082, 1074, 1083, 1075}, false);
    const auto& names = TargetLayoutNames();
    host.SetItems(1077, std::vector<std::string>(names.begin(), names.end()));
    host.SetSelection(1077, 0);
    size_t count = 0;
    const SourceFormat* formats = ChoosableFormats(count);
    std::vector<std::string> captions;
    for (size_t i = 0; i < count; ++i)
        captions.push_back(SourceFormatCaption(formats[i]));
    host.SetItems(kFormatListId, captions);
    host.SetSelection(kFormatListId, 0);
    OnFormatChange(host);
    ShowTargets(host);  // kept from the last opening, with or without a source
}

void CDownloadConvertDlg::OnSelectionChanged(DialogHost& host, int id) {
    if (id == kFormatListId)
        OnFormatChange(host);
}

SourceFormat CDownloadConvertDlg::ChosenFormat(const DialogHost& host) const {
    size_t count = 0;
    const SourceFormat* formats = ChoosableFormats(count);
    const int index = host.Selection(kFormatListId);
    return index > 0 && static_cast<size_t>(index) < count ? formats[index] : SourceFormat::Auto;
}

// The status box names the source's format, recognised or chosen.
void CDownloadConvertDlg::OnFormatChange(DialogHost& host) {
    const std::string& source = g_strMeasSource.empty() ? g_strCoordSource : g_strMeasSource;
    const std::string line = DescribeSourceFile(source, ChosenFormat(host));
    if (line.empty())
        return;
    m_strStatus = line;
    UpdateData(host, false);
}

void CDownloadConvertDlg::UpdateData(DialogHost& host, bool save) {
    if (save) {
        m_strMeasFile = host.Text(1071);
        m_strCoordFile = host.Text(1078);
        return;
    }
    host.SetText(1071, m_strMeasFile);
    host.SetText(1078, m_strCoordFile);
    host.SetText(1087, m_strRunStamp.empty() ? m_strStatus : m_strStatus + "\r\n" + m_strRunStamp);
    ShowTargets(host);
}

void CDownloadConvertDlg::OnClicked(DialogHost& host, int id) {
    for (const Output& output : kOutputs) {
        if (id == output.checkId)
            Enable(host, output.controls, host.Checked(id));
    }
    if (std::string* target = BrowsedTarget(id))
        BrowseForTarget(host, *target);
    if (id == 1072)
        BrowseForSource(host, g_strMeasSource, m_strMeasFile);
    if (id == 1076)
        BrowseForSource(host, g_strCoordSource, m_strCoordFile);
    if (id >= 1080 && id <= 1085)
        OnViewFile(host, id);
    if (id == kPreviewButtonId)
        OnPreview(host);
    if (id == kIdOk)
        OnOK(host);
    if (id == kIdCancel && OnCloseRequested(host))
        host.Close(kIdCancel);
}

void CDownloadConvertDlg::OnFocusLeft(DialogHost& host, int id) {
    if (id == 1071 || id == 1078)
        TakeTypedSource(host, id);
}

bool CDownloadConvertDlg::OnCloseRequested(DialogHost&) {
    return !m_converting;
}

// Leaving a source box makes what was typed there the source.
void CDownloadConvertDlg::TakeTypedSource(DialogHost& host, int editId) {
    UpdateData(host, true);
    if (editId == 1071)
        g_strMeasSource = m_strMeasFile;
    else
        g_strCoordSource = m_strCoordFile;
}

void CDownloadConvertDlg::BrowseForSource(DialogHost& host, std::string& path, std::string& shown) {
    const auto chosen = host.AskOpenFile(TextDataFileRequest());
    if (!chosen)
        return;
    path = *chosen;
    UpdateData(host, true);
    shown = path;
    UpdateData(host, false);
    OnFormatChange(host);
}

void CDownloadConvertDlg::BrowseForTarget(DialogHost& host, std::string& path) {
    if (const auto chosen = host.AskSaveFile(TextDataFileRequest()))
        path = *chosen;
    ShowTargets(host);
}

void CDownloadConvertDlg::OnViewFile(DialogHost& host, int buttonId) {
    const std::string* path = ViewedPath(buttonId);
    if (!path || path->empty())
        return;
    if (!FileExists(*path))
        host.MessageBox(kNoSuchFileMessage + *path);
    else if (!host.ViewFile(*path))
        host.MessageBox(kNoViewerMessage + *path);
}

// What "转换" would convert now, or the run's own refusal when it would convert nothing.
void CDownloadConvertDlg::OnPreview(DialogHost& host) {
    const DownloadConversionInput input = RunInput(host);
    if (!input.measSource.empty() && !input.coordSource.empty())
        host.MessageBox(kBothSourcesMessage);
    else if (!input.measSource.empty())
        host.PreviewPoints(input.measSource, PointFileKind::Measurement);
    else if (!input.coordSource.empty())
        host.PreviewPoints(input.coordSource, PointFileKind::Coordinates);
    else
        host.MessageBox(kNothingToPreview);
}

void CDownloadConvertDlg::ShowTargets(DialogHost& host) const {
    const std::pair<int, const std::string*> shown[] = {{1090, &g_strCoordExtractTarget},
                                                        {1091, &g_strAngleDistTarget},
                                                        {1092, &g_strAngleTarget},
                                                        {1093, &g_strCoordTarget}};
    for (const auto& [id, path] : shown) {
        host.SetText(id, path->empty() ? kNoTargetShown : *path);
        host.SetToolTip(id, *path);
    }
}

// Enter in a source box presses "转换" with the focus still in the box: what
// was typed there counts as it would on leaving the box.
DownloadConversionInput CDownloadConvertDlg::RunInput(DialogHost& host) {
    for (const int id : {1071, 1078}) {
        if (host.IsEnabled(id))
            TakeTypedSource(host, id);
    }
    return GatherRunInput(host);
}

DownloadConversionInput CDownloadConvertDlg::GatherRunInput(const DialogHost& host) const {
    DownloadConversionInput input;
    input.measSource = g_strMeasSource;
    input.coordSource = g_strCoordSource;
    input.coordTarget = g_strCoordTarget;
    input.coordExtractTarget = g_strCoordExtractTarget;
    input.angleDistTarget = g_strAngleDistTarget;
    input.angleTarget = g_strAngleTarget;
    input.options.coordinates = host.Checked(1067);
    input.options.angleDistance = host.Checked(1068);
    input.options.angles = host.Checked(1069);
    input.options.layout = host.Selection(1077);
    input.format = ChosenFormat(host);
    return input;
}

bool CDownloadConvertDlg::ConfirmReplacingTargets(DialogHost& host,
                                                  const DownloadConversionInput& input) {
    const std::vector<std::string> existing = ExistingTargets(input);
    if (existing.empty())
        return true;
    std::string question = "下列文件已经存在，转换会替换它们：";
    for (const std::string& path : existing)
        question += "\n" + path;
    question += "\n要替换吗？";
    return host.MessageBox(question, std::string(), MsgButtons::YesNo, MsgIcon::Question) ==
           MsgResult::Yes;
}

// While a conversion runs, 转换 and 放弃 are disabled and the dialog shows the busy cursor.
void CDownloadConvertDlg::ShowRunning(DialogHost& host, bool running) {
    m_converting = running;
    Enable(host, {kIdOk, kIdCancel}, !running);
    host.SetBusy(running);
}

void CDownloadConvertDlg::OnOK(DialogHost& host) {
    if (m_converting)
        return;
    const DownloadConversionInput input = RunInput(host);
    if (!ConfirmReplacingTargets(host, input)) {
        ShowRunStatus(host, kReplaceDeclinedStatus);
        return;
    }
    ShowRunning(host, true);
    m_strStatus = kStatusRunning;
    m_strRunStamp.clear();
    UpdateData(host, false);
    auto result = std::make_shared<ConversionResult>();
    host.RunInBackground([input, result] { *result = RunDownloadConversion(input); },
                         [this, &host, result] {
                             ShowRunning(host, false);
                             ShowRunResult(host, *result);
                         });
}

// Each press of "转换" is stamped with its number and time, so that a run that
// ends as the one before is still seen to have run.
void CDownloadConvertDlg::ShowRunStatus(DialogHost& host, const std::string& status) {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    m_strStatus = status;
    m_strRunStamp = RunStamp(++m_runs, local->tm_hour, local->tm_min, local->tm_sec);
    UpdateData(host, false);
}

void CDownloadConvertDlg::ShowRunResult(DialogHost& host, const ConversionResult& result) {
    const auto showMessages = [&] {
        for (const std::string& message : result.messages)
            host.MessageBox(message);
    };
    if (result.messagesBeforeStatus)
        showMessages();
    ShowRunStatus(host, DialogRunStatus(result));
    if (!result.messagesBeforeStatus)
        showMessages();
}

}  // namespace vm
