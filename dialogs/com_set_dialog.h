#pragma once
// The serial settings dialog (dialog 162, "Com Setting"). g_comSetDlg lives
// for the whole run and holds m_settings, the parameters downloads and uploads
// open the port with; each showing reads the stored indexes of
// ./ConfigFile.ini afresh. OK checks the Send time and the end silence,
// applies the lists to m_settings and stores every choice; Cancel changes
// nothing. The numbered ports are followed by the serial devices found on
// this machine; a chosen device is stored by the name that survives a re-plug.

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/com_set_rules.h"
#include "dialogs/dialog.h"
#include "serial/com_settings.h"
#include "serial/port_discovery.h"

namespace vm {

class CComSetDlg : public Dialog {
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

    // The settings file ("": ./ConfigFile.ini) and the root below which
    // serial devices are looked for ("": this machine's).
    std::string m_iniPath;
    std::string m_deviceRoot;

    // Beyond the stored settings: the device file the chosen port stands for,
    // and the button that looks for serial devices again.
    static constexpr int kDeviceLabelId = 1067;
    static constexpr int kRefreshId = 1068;
    static constexpr int kSendTimeId = 1066;
    static constexpr int kPortListId = 1010;

    // Sets m_settings from the lists' selections (unselected lists change nothing).
    void ApplySelections(const ComSelections& selections);
    const std::vector<SerialPortInfo>& DiscoveredPorts() const { return m_ports; }

    const DialogTemplate& Template() const override;
    void OnOpened(DialogHost& host) override;
    void OnClicked(DialogHost& host, int id) override;
    void OnSelectionChanged(DialogHost& host, int id) override;

private:
    std::string Ini() const;
    void RefreshPorts(DialogHost& host);
    void ShowDevice(DialogHost& host) const;
    // The device a discovered entry of the port list stands for, or null for a numbered port.
    const SerialPortInfo* ChosenDiscovered(const DialogHost& host) const;
    ComSelections Selections(const DialogHost& host) const;
    // False (the dialog stays open) when a number is refused.
    bool OnOK(DialogHost& host);

    std::vector<SerialPortInfo> m_ports;
};

extern CComSetDlg g_comSetDlg;

}  // namespace vm
