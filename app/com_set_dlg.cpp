#include "app/com_set_dlg.h"

#include "app/app_icon.h"
#include "app/control_id.h"
#include "app/desktop.h"
#include "app/dialog_units.h"
#include "app/ui_fonts.h"
#include "common/user_paths.h"
#include "serial/port_device.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vm {

CComSetDlg g_comSetDlg;

namespace {

struct ListSpec {
    int id;
    const char* group;
    int groupY;
    int listHeight;
    QStringList entries;
};

const std::vector<ListSpec>& ListSpecs() {
    static const std::vector<ListSpec> specs = {
        {1010, "1 Com Port", 11, 127, {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {1011,
         "2 Baud Rate(bps)",
         43,
         122,
         {"300", "1200", "2400", "4800", "9600", "19200", "38400"}},
        {1012, "3 Parity", 75, 42, {"NONE", "ODD", "EVEN"}},
        {1013, "4 Characters", 107, 44, {"7", "8"}},
        {1014, "5 Stop Bits", 139, 59, {"1", "1.5", "2"}},
        {1016, "6 Protocol", 171, 59, {"XON/XOFF", "NONE"}},
    };
    return specs;
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
    const DialogUnits du = DialogUnits::ForFont(font());
    auto* frame = new QGroupBox(QStringLiteral("Com Set"), this);
    SetControlId(frame, kStaticId);
    du.place(frame, 6, 1, 89, 204);
    for (const ListSpec& spec : ListSpecs()) {
        auto* group = new QGroupBox(QString::fromUtf8(spec.group), this);
        SetControlId(group, kStaticId);
        du.place(group, 16, spec.groupY, 68, 26);
        auto* list = new QComboBox(this);
        SetControlId(list, spec.id);
        list->addItems(spec.entries);
        list->setMaxVisibleItems(std::max(1, (spec.listHeight - 12) / 8));
        // A combo box is as tall as its edit part; the template's height is that of the open list.
        du.place(list, 25, spec.groupY + 9, 51, 12);
        list->raise();
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    SetControlId(ok, 1);
    ok->setDefault(true);
    du.place(ok, 106, 97, 44, 15);
    connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    SetControlId(cancel, 2);
    du.place(cancel, 106, 127, 44, 15);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* sendLabel = new QLabel(QStringLiteral("Send time"), this);
    SetControlId(sendLabel, kStaticId);
    du.place(sendLabel, 107, 25, 37, 8);
    m_sendTime = new QLineEdit(this);
    SetControlId(m_sendTime, 1066);
    du.place(m_sendTime, 109, 41, 32, 12);

    m_device = new QLabel(this);
    SetControlId(m_device, kDeviceLabelId);
    m_device->setWordWrap(true);
    m_device->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    du.place(m_device, 100, 150, 58, 50);
    connect(List(1010), qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { ShowDevice(); });
    setFixedSize(du.toPixels(161, 206));
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
    ShowDevice();
}

QComboBox* CComSetWindow::List(int id) const {
    return FindControl<QComboBox>(this, id);
}

ComSelections CComSetWindow::Selections() const {
    ComSelections s;
    s.port = List(1010)->currentIndex();
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
    const QString path = QString::fromStdString(PortDevicePath(m_iniPath, index + 1));
    m_device->setText(QStringLiteral("设备：\n") + path);
    m_device->setToolTip(path);
}

bool CComSetWindow::OnOK() {
    const SendTimeCheck check = CheckSendTime(m_sendTime->text().toStdString());
    if (!check.ok) {
        desktop().MessageBox(this, check.message, std::string(), MsgButtons::Ok, MsgIcon::Warning);
        m_sendTime->setFocus();
        m_sendTime->selectAll();
        return false;
    }
    m_owner.m_nSendTime = int16_t(check.value);
    const ComSelections selections = Selections();
    m_owner.ApplySelections(selections);
    std::string error;
    if (!StoreComConfirmation(m_iniPath, StoredFromSelections(selections, check.value), &error)) {
        desktop().MessageBox(this, "串口设置已用于本次运行，但无法保存到配置文件：" + error,
                             std::string(), MsgButtons::Ok, MsgIcon::Warning);
    }
    accept();
    return true;
}

}  // namespace vm
