#pragma once
// The serial settings dialog (dialog 162). g_comSetDlg lives for the whole run
// and holds m_settings, the parameters downloads and uploads open the port
// with; its window exists only while it is shown, and each showing reads the
// stored indexes of ./ConfigFile.ini afresh. OK checks the Send time, applies
// the lists to m_settings and stores every choice; Cancel changes nothing.

#include "app/serial/com_set_rules.h"
#include "serial/com_settings.h"
#include "serial/port_discovery.h"

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace vm {

class CComSetDlg {
public:
    ComSettings m_settings;

    // The stored indexes and Send time as the last showing read them.
    int m_nPortIndex = 0;
    int m_nBaudIndex = 0;
    int m_nParityIndex = 0;
    int m_nStopbitIndex = 0;
    int m_nCharacterIndex = 0;
    int m_nProtocolIndex = 0;
    int16_t m_nSendTime = 0;

    // Shows the dialog modally over parent; QDialog::Accepted or Rejected.
    int DoModal(QWidget* parent);

    // Sets m_settings from the lists' selections (unselected lists change nothing).
    void ApplySelections(const ComSelections& selections);
};

extern CComSetDlg g_comSetDlg;

// The window of a CComSetDlg, built for one showing.
class CComSetWindow : public QDialog {
    Q_OBJECT
public:
    // iniPath: the settings file, ./ConfigFile.ini unless a test gives another.
    CComSetWindow(CComSetDlg& owner, QWidget* parent = nullptr,
                  const std::string& iniPath = std::string());

    QComboBox* List(int id) const;
    QLineEdit* SendTimeEdit() const { return m_sendTime; }
    QLabel* DeviceLabel() const { return m_device; }
    ComSelections Selections() const;

    // OK: false (dialog stays open) when the Send time is refused.
    bool OnOK();

    // Beyond the stored settings: the device file the chosen port stands for.
    static constexpr int kDeviceLabelId = 1067;
    // Looks for serial devices again; they follow the numbered ports in list 1010.
    static constexpr int kRefreshId = 1068;

    // Lists the devices found below root ("" for this machine), keeping the choice.
    void RefreshPorts(const std::string& root = std::string());
    const std::vector<SerialPortInfo>& DiscoveredPorts() const { return m_ports; }

private:
    void CreateControls();
    void OnInitDialog();
    void ShowDevice();
    // The device a discovered entry of list 1010 stands for, or null for a numbered port.
    const SerialPortInfo* ChosenDiscovered() const;

    CComSetDlg& m_owner;
    std::string m_iniPath;
    QLineEdit* m_sendTime = nullptr;
    QLabel* m_device = nullptr;
    std::vector<SerialPortInfo> m_ports;
    std::string m_root;
};

}  // namespace vm
