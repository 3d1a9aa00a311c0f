#include "app/serial/com_set_dlg.h"

#include "app/app_icon.h"
#include "app/control_table.h"
#include "app/desktop.h"
#include "app/serial/end_silence_setting.h"
#include "app/ui_fonts.h"
#include "common/ini_file.h"
#include "common/user_paths.h"
#include "serial/port_device.h"
#include "serial/port_slots.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QPushButton>
#include <QSignalBlocker>

namespace vm {

CComSetDlg g_comSetDlg;

namespace {

// Each setting is a list framed by a group box with the setting's name.
struct SettingList {
    int id;
    const char* group;
    int groupY;
    int listHeight;  // of the open list
    QStringList entries;
};

const std::vector<SettingList>& SettingLists() {
    static const std::vector<SettingList> lists = {
        {1010, "1 Com Port", 11, 127, {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {1011,
         "2 Baud Rate(bps)",
         43,
         122,
         {"300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}},
        {1012, "3 Parity", 75, 42, {"NONE", "ODD", "EVEN"}},
        {1013, "4 Characters", 107, 44, {"7", "8"}},
        {1014, "5 Stop Bits", 139, 59, {"1", "1.5", "2"}},
        {1016, "6 Protocol", 171, 59, {"XON/XOFF", "NONE", "RTS/CTS"}},
    };
    return lists;
}

// The frame, each setting's group box and list, the buttons, the Send time and
// the device line, in this order.
std::vector<ControlRow> ControlRows() {
    std::vector<ControlRow> rows = {{kStaticId, ControlKind::Group, "Com Set", 6, 1, 89, 204}};
    for (const SettingList& list : SettingLists()) {
        rows.push_back({kStaticId, ControlKind::Group, list.group, 16, list.groupY, 68, 26});
        // A combo box is as tall as its edit part; listHeight is that of the open list.
        rows.push_back({list.id, ControlKind::List, "", 25, list.groupY + 9, 51, 12});
    }
    const ControlRow rest[] = {
        {1, ControlKind::DefaultButton, "OK", 106, 97, 44, 15},
        {2, ControlKind::FocusButton, "Cancel", 106, 127, 44, 15},
        {kStaticId, ControlKind::Label, "Send time", 107, 25, 37, 8},
        {1066, ControlKind::Edit, "", 109, 41, 32, 12},
        {CComSetWindow::kDeviceLabelId, ControlKind::Label, "", 100, 150, 58, 31},
        {kStaticId, ControlKind::Label, "结束静默(ms)", 100, 58, 58, 8},
        {kEndSilenceEditId, ControlKind::Edit, "", 109, 70, 36, 12},
        {CComSetWindow::kRefreshId, ControlKind::Button, "刷新端口", 106, 183, 44, 15},
    };
    rows.insert(rows.end(), std::begin(rest), std::end(rest));
    return rows;
}

void Select(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

}  // namespace

int CComSetDlg::DoModal(QWidget* parent) {
    CComSetWindow window(*this, parent);
    return window.exec();
}

void CComSetDlg::ApplySelections(const ComSelections& selections) {
    vm::ApplySelections(m_settings, selections);
}

CComSetWindow::CComSetWindow(CComSetDlg& owner, QWidget* parent, const std::string& iniPath)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_owner(owner),
      m_iniPath(iniPath.empty() ? LocalIniPath() : iniPath) {
    setFont(SettingsDialogFont());
    setWindowTitle(QStringLiteral("Com Setting"));
    setWindowIcon(AppIcon());
    CreateControls();
    OnInitDialog();
}

void CComSetWindow::CreateControls() {
    const std::vector<ControlRow> rows = ControlRows();
    MakeControls(this, 161, 206, rows.data(), rows.size());
    for (const SettingList& setting : SettingLists()) {
        QComboBox* list = List(setting.id);
        list->addItems(setting.entries);
        list->setMaxVisibleItems(std::max(1, (setting.listHeight - 12) / 8));
    }
    connect(FindControl<QPushButton>(this, 1), &QPushButton::clicked, this, [this] { OnOK(); });
    connect(FindControl<QPushButton>(this, 2), &QPushButton::clicked, this, &QDialog::reject);

    m_sendTime = FindControl<QLineEdit>(this, 1066);
    m_device = FindControl<QLabel>(this, kDeviceLabelId);
    m_device->setWordWrap(true);
    m_device->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(List(1010), qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { ShowDevice(); });
    connect(FindControl<QPushButton>(this, kRefreshId), &QPushButton::clicked, this,
            [this] { RefreshPorts(m_root); });
}

void CComSetWindow::RefreshPorts(const std::string& root) {
    QComboBox* list = List(1010);
    const int current = list->currentIndex();
    const SerialPortInfo* chosen = ChosenDiscovered();
    // A numbered port whose Device<n> names a device found now shows as that device.
    const std::string wanted =
        chosen ? chosen->stableName
        : current >= 0
            ? IniGetString(m_iniPath, kComConfigSection, "Device" + std::to_string(current + 1), "")
            : std::string();
    m_root = root;
    m_ports = DiscoverSerialPorts(root);
    const QSignalBlocker quiet(list);
    while (list->count() > kNumberedPorts)
        list->removeItem(list->count() - 1);
    for (const SerialPortInfo& port : m_ports)
        list->addItem(QString::fromStdString(PortDisplayName(port)));
    list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 24);
    const int found = FindDiscoveredPort(m_ports, wanted);
    if (found >= 0)
        list->setCurrentIndex(kNumberedPorts + found);
    else if (current >= kNumberedPorts)  // the chosen device is gone: back to its stored number
        Select(list, m_owner.m_nPortIndex);
    else
        Select(list, current);
    ShowDevice();
}

const SerialPortInfo* CComSetWindow::ChosenDiscovered() const {
    const int index = List(1010)->currentIndex() - kNumberedPorts;
    return index >= 0 && index < int(m_ports.size()) ? &m_ports[size_t(index)] : nullptr;
}

void CComSetWindow::OnInitDialog() {
    const StoredComConfig stored = ReadStoredComConfig(m_iniPath);
    m_owner.m_nPortIndex = int(stored.port);
    m_owner.m_nBaudIndex = int(stored.baud);
    m_owner.m_nStopbitIndex = int(stored.stopbit);
    m_owner.m_nParityIndex = int(stored.parity);
    m_owner.m_nProtocolIndex = int(stored.protocol);
    m_owner.m_nCharacterIndex = int(stored.character);
    m_owner.m_nSendTime = int16_t(stored.sendTime);
    const ComSelections shown = SelectionsFromStored(stored);
    Select(List(1011), shown.baud);
    Select(List(1010), shown.port);
    Select(List(1013), shown.character);
    Select(List(1012), shown.parity);
    Select(List(1014), shown.stopbit);
    Select(List(1016), shown.protocol);
    m_sendTime->setText(QString::number(m_owner.m_nSendTime));
    RefreshPorts();
    FindControl<QLineEdit>(this, kEndSilenceEditId)
        ->setText(QString::number(ClampEndSilence(stored.endSilence)));
}

QComboBox* CComSetWindow::List(int id) const {
    return FindControl<QComboBox>(this, id);
}

ComSelections CComSetWindow::Selections() const {
    ComSelections s;
    s.port = List(1010)->currentIndex();
    if (const SerialPortInfo* device = ChosenDiscovered())
        s.port = PortNumberForDevice(m_iniPath, *device, m_ports) - 1;
    s.baud = List(1011)->currentIndex();
    s.parity = List(1012)->currentIndex();
    s.character = List(1013)->currentIndex();
    s.stopbit = List(1014)->currentIndex();
    s.protocol = List(1016)->currentIndex();
    return s;
}

void CComSetWindow::ShowDevice() {
    const int index = List(1010)->currentIndex();
    if (index < 0) {
        m_device->setText(QStringLiteral("设备：未选择串口"));
        return;
    }
    // A discovered device shows its short kernel path; the stable name that is
    // stored (too long for the label) is in the tip.
    const SerialPortInfo* device = ChosenDiscovered();
    const std::string path = device ? device->devicePath : PortDevicePath(m_iniPath, index + 1);
    m_device->setText(QStringLiteral("设备：\n") + QString::fromStdString(path));
    m_device->setToolTip(QString::fromStdString(device ? device->stableName : path));
}

bool CComSetWindow::OnOK() {
    const SendTimeCheck check = CheckSendTime(m_sendTime->text().toStdString());
    if (!check.ok) {
        desktop().MessageBox(this, check.message, std::string(), MsgButtons::Ok, MsgIcon::Warning);
        m_sendTime->setFocus();
        m_sendTime->selectAll();
        return false;
    }
    QLineEdit* silenceEdit = FindControl<QLineEdit>(this, kEndSilenceEditId);
    const std::optional<int> silence = ParseEndSilence(silenceEdit->text().toStdString());
    if (!silence) {
        desktop().MessageBox(this, kEndSilenceRangeMessage, std::string(), MsgButtons::Ok,
                             MsgIcon::Warning);
        silenceEdit->setFocus();
        silenceEdit->selectAll();
        return false;
    }
    m_owner.m_settings.nEndSilenceMs = *silence;
    m_owner.m_nSendTime = int16_t(check.value);
    const ComSelections selections = Selections();
    m_owner.ApplySelections(selections);
    std::string error;
    const SerialPortInfo* device = ChosenDiscovered();
    const bool deviceStored = !device || StorePortDevice(m_iniPath, selections.port + 1,
                                                         StoredDeviceName(*device), &error);
    if (!deviceStored ||
        !StoreComConfirmation(m_iniPath, StoredFromSelections(selections, check.value), &error) ||
        !StoreEndSilence(m_iniPath, *silence, &error)) {
        desktop().MessageBox(this, "串口设置已用于本次运行，但无法保存到配置文件：" + error,
                             std::string(), MsgButtons::Ok, MsgIcon::Warning);
    }
    accept();
    return true;
}

}  // namespace vm
