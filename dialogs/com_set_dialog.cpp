#include "dialogs/com_set_dialog.h"

#include "common/ini_file.h"
#include "common/user_paths.h"
#include "dialogs/dialog_host.h"
#include "dialogs/end_silence_setting.h"
#include "serial/port_device.h"
#include "serial/port_slots.h"

namespace vm {

CComSetDlg g_comSetDlg;

namespace {

using Kind = ControlKind;

// Each setting is a list framed by a group box with the setting's name; a list
// is as tall as its edit part, its open list as listHeight.
constexpr ControlRow kRows[] = {
    {kStaticId, Kind::Group, "Com Set", 6, 1, 89, 204},
    {kStaticId, Kind::Group, "1 Com Port", 16, 11, 68, 26},
    {1010, Kind::List, "", 25, 20, 51, 12, 127},
    {kStaticId, Kind::Group, "2 Baud Rate(bps)", 16, 43, 68, 26},
    {1011, Kind::List, "", 25, 52, 51, 12, 122},
    {kStaticId, Kind::Group, "3 Parity", 16, 75, 68, 26},
    {1012, Kind::List, "", 25, 84, 51, 12, 42},
    {kStaticId, Kind::Group, "4 Characters", 16, 107, 68, 26},
    {1013, Kind::List, "", 25, 116, 51, 12, 44},
    {kStaticId, Kind::Group, "5 Stop Bits", 16, 139, 68, 26},
    {1014, Kind::List, "", 25, 148, 51, 12, 59},
    {kStaticId, Kind::Group, "6 Protocol", 16, 171, 68, 26},
    {1016, Kind::List, "", 25, 180, 51, 12, 59},
    {kIdOk, Kind::DefaultButton, "OK", 106, 97, 44, 15},
    {kIdCancel, Kind::FocusButton, "Cancel", 106, 127, 44, 15},
    {kStaticId, Kind::Label, "Send time", 107, 25, 37, 8},
    {CComSetDlg::kSendTimeId, Kind::Edit, "", 109, 41, 32, 12},
    {CComSetDlg::kDeviceLabelId, Kind::Label, "", 100, 150, 58, 31},
    {kStaticId, Kind::Label, "结束静默(ms)", 100, 58, 58, 8},
    {kEndSilenceEditId, Kind::Edit, "", 109, 70, 36, 12},
    {CComSetDlg::kRefreshId, Kind::Button, "刷新端口", 106, 183, 44, 15},
};
constexpr DialogTemplate kTemplate =
    MakeTemplate(162, "Com Setting", 161, 206, kRows, DialogFont::Song10);

struct SettingList {
    int id;
    std::vector<std::string> entries;
};

const std::vector<SettingList>& SettingLists() {
    static const std::vector<SettingList> lists = {
        {1010, {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {1011, {"300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}},
        {1012, {"NONE", "ODD", "EVEN"}},
        {1013, {"7", "8"}},
        {1014, {"1", "1.5", "2"}},
        {1016, {"XON/XOFF", "NONE", "RTS/CTS"}},
    };
    return lists;
}

void Warn(DialogHost& host, const std::string& message, int focusId) {
    host.MessageBox(message, std::string(), MsgButtons::Ok, MsgIcon::Warning);
    host.SetFocus(focusId);
}

}  // namespace

const DialogTemplate& CComSetDlg::Template() const {
    return kTemplate;
}

void CComSetDlg::ApplySelections(const ComSelections& selections) {
    vm::ApplySelections(m_settings, selections);
}

std::string CComSetDlg::Ini() const {
    return m_iniPath.empty() ? LocalIniPath() : m_iniPath;
}

void CComSetDlg::OnOpened(DialogHost& host) {
    for (const SettingList& list : SettingLists())
        host.SetItems(list.id, list.entries);
    const StoredComConfig stored = ReadStoredComConfig(Ini());
    m_nPortIndex = int(stored.port);
    m_nBaudIndex = int(stored.baud);
    m_nStopbitIndex = int(stored.stopbit);
    m_nParityIndex = int(stored.parity);
    m_nProtocolIndex = int(stored.protocol);
    m_nCharacterIndex = int(stored.character);
    m_nSendTime = int16_t(stored.sendTime);
    const ComSelections shown = SelectionsFromStored(stored);
    const std::pair<int, int> selections[] = {{1011, shown.baud},      {1010, shown.port},
                                              {1013, shown.character}, {1012, shown.parity},
                                              {1014, shown.stopbit},   {1016, shown.protocol}};
    for (const auto& [id, index] : selections)
        host.SetSelection(id, index);
    host.SetText(kSendTimeId, std::to_string(m_nSendTime));
    m_ports.clear();
    RefreshPorts(host);
    host.SetText(kEndSilenceEditId, std::to_string(ClampEndSilence(stored.endSilence)));
}

void CComSetDlg::OnClicked(DialogHost& host, int id) {
    if (id == kIdOk)
        OnOK(host);
    else if (id == kIdCancel)
        host.Close(kIdCancel);
    else if (id == kRefreshId)
        RefreshPorts(host);
}

void CComSetDlg::OnSelectionChanged(DialogHost& host, int id) {
    if (id == kPortListId)
        ShowDevice(host);
}

void CComSetDlg::RefreshPorts(DialogHost& host) {
    const int current = host.Selection(kPortListId);
    const SerialPortInfo* chosen = ChosenDiscovered(host);
    // A numbered port whose Device<n> names a device found now shows as that device.
    const std::string wanted =
        chosen ? chosen->stableName
        : current >= 0
            ? IniGetString(Ini(), kComConfigSection, "Device" + std::to_string(current + 1), "")
            : std::string();
    m_ports = DiscoverSerialPorts(m_deviceRoot);
    std::vector<std::string> items = SettingLists()[0].entries;
    for (const SerialPortInfo& port : m_ports)
        items.push_back(PortDisplayName(port));
    host.SetItems(kPortListId, items);
    const int found = FindDiscoveredPort(m_ports, wanted);
    if (found >= 0)
        host.SetSelection(kPortListId, kNumberedPorts + found);
    else if (current >= kNumberedPorts)  // the chosen device is gone: back to its stored number
        host.SetSelection(kPortListId, m_nPortIndex);
    else
        host.SetSelection(kPortListId, current);
    ShowDevice(host);
}

const SerialPortInfo* CComSetDlg::ChosenDiscovered(const DialogHost& host) const {
    const int index = host.Selection(kPortListId) - kNumberedPorts;
    return index >= 0 && index < int(m_ports.size()) ? &m_ports[size_t(index)] : nullptr;
}

ComSelections CComSetDlg::Selections(const DialogHost& host) const {
    ComSelections s;
    s.port = host.Selection(1010);
    if (const SerialPortInfo* device = ChosenDiscovered(host))
        s.port = PortNumberForDevice(Ini(), *device, m_ports) - 1;
    s.baud = host.Selection(1011);
    s.parity = host.Selection(1012);
    s.character = host.Selection(1013);
    s.stopbit = host.Selection(1014);
    s.protocol = host.Selection(1016);
    return s;
}

void CComSetDlg::ShowDevice(DialogHost& host) const {
    const int index = host.Selection(kPortListId);
    if (index < 0) {
        host.SetText(kDeviceLabelId, "设备：未选择串口");
        return;
    }
    // A discovered device shows its short kernel path; the stable name that is
    // stored (too long for the label) is in the tip.
    const SerialPortInfo* device = ChosenDiscovered(host);
    const std::string path = device ? device->devicePath : PortDevicePath(Ini(), index + 1);
    host.SetText(kDeviceLabelId, "设备：\n" + path);
    host.SetToolTip(kDeviceLabelId, device ? device->stableName : path);
}

bool CComSetDlg::OnOK(DialogHost& host) {
    const SendTimeCheck check = CheckSendTime(host.Text(kSendTimeId));
    if (!check.ok) {
        Warn(host, check.message, kSendTimeId);
        return false;
    }
    const std::optional<int> silence = ParseEndSilence(host.Text(kEndSilenceEditId));
    if (!silence) {
        Warn(host, kEndSilenceRangeMessage, kEndSilenceEditId);
        return false;
    }
    m_settings.nEndSilenceMs = *silence;
    m_nSendTime = int16_t(check.value);
    const ComSelections selections = Selections(host);
    ApplySelections(selections);
    std::string error;
    const SerialPortInfo* device = ChosenDiscovered(host);
    const std::string ini = Ini();
    const bool deviceStored =
        !device || StorePortDevice(ini, selections.port + 1, StoredDeviceName(*device), &error);
    if (!deviceStored ||
        !StoreComConfirmation(ini, StoredFromSelections(selections, check.value), &error) ||
        !StoreEndSilence(ini, *silence, &error)) {
        host.MessageBox("串口设置已用于本次运行，但无法保存到配置文件：" + error, std::string(),
                        MsgButtons::Ok, MsgIcon::Warning);
    }
    host.Close(kIdOk);
    return true;
}

}  // namespace vm
