#include "app/universal/universal_convert_dlg.h"
#include "app/preview/layout_preview_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QThread>

#include "app/app_icon.h"
#include "app/control_table.h"
#include "app/desktop.h"
#include "common/file_io.h"
#include "common/user_paths.h"
#include "universal/number_box.h"

namespace vm {
namespace {

constexpr const char* kCaption = "万能数据转换";

constexpr int kNumberBoxes[] = {1068, 1065, 1066, 1067, 1069, 1070, 1071};

// The lists of each side in the order point number, attribute, X, Y, Z, sequence number.
constexpr int kSourceLists[] = {1046, 1039, 1040, 1041, 1047, 1050};
constexpr int kTargetLists[] = {1042, 1043, 1044, 1045, 1048, 1052};

int* Item(ColumnLayout& c, int i) {
    int* items[] = {&c.pointNumber, &c.attribute, &c.x, &c.y, &c.z, &c.sequenceNumber};
    return items[i];
}

}  // namespace

CUniversalConvertDlg::CUniversalConvertDlg(QWidget* parent)
    : CModalDlg(parent), m_strIniPath(UserIniPath()) {
    CreateControls();
    setWindowIcon(AppIcon());
    setWindowTitle(QString::fromUtf8(kCaption));
    ConnectControls();
    AttachLayoutPreview(*this);
}

CUniversalConvertDlg::~CUniversalConvertDlg() {
    if (m_thread)
        m_thread->wait();
}

void CUniversalConvertDlg::ConnectControls() {
    OnClicked(this, 1053, &CUniversalConvertDlg::OnBrowseSource);
    OnClicked(this, 1054, &CUniversalConvertDlg::OnBrowseTarget);
    OnClicked(this, 1051, &CUniversalConvertDlg::OnNumberingBox);
    OnClicked(this, 1049, &CUniversalConvertDlg::OnAttributeBox);
    OnClicked(this, 1057, &CUniversalConvertDlg::OnSourceComma);
    OnClicked(this, 1058, &CUniversalConvertDlg::OnSourceSpace);
    OnClicked(this, 1061, &CUniversalConvertDlg::OnTargetComma);
    OnClicked(this, 1062, &CUniversalConvertDlg::OnTargetSpace);
    OnClicked(this, 1072, &CUniversalConvertDlg::OnViewSource);
    OnClicked(this, 1073, &CUniversalConvertDlg::OnViewTarget);
    OnClicked(this, 1, &CUniversalConvertDlg::OnOK);
    OnClicked(this, 2, &CUniversalConvertDlg::reject);
    for (const int id : kNumberBoxes)
        Box(id)->installEventFilter(this);
}

bool CUniversalConvertDlg::OnInitDialog() {
    UpdateData(false);
    PickPair(1057, 1058);
    PickPair(1061, 1062);
    ApplyLayout(LoadLayoutSettings(m_strIniPath));
    return true;
}

void CUniversalConvertDlg::ApplyLayout(const LayoutSettings& layout) {
    LayoutSettings copy = layout;
    FindControl<QCheckBox>(this, 1049)->setChecked(layout.attributeEnabled);
    OnAttributeBox();
    FindControl<QCheckBox>(this, 1051)->setChecked(layout.numberingEnabled);
    OnNumberingBox();
    for (int i = 0; i < kLayoutPositions; ++i) {
        List(kSourceLists[i])->setCurrentIndex(NormalizedPosition(*Item(copy.source, i)));
        List(kTargetLists[i])->setCurrentIndex(NormalizedPosition(*Item(copy.target, i)));
    }
}

bool CUniversalConvertDlg::UpdateData(bool saveAndValidate) {
    if (!saveAndValidate) {
        Box(1055)->setText(PathText(m_strSourcePath));
        Box(1056)->setText(PathText(m_strTargetPath));
        Box(1068)->setText(QString::number(m_nStartNumber));
        const std::pair<int, double> numbers[] = {{1065, m_fAddX}, {1066, m_fAddY},
                                                  {1067, m_fAddZ}, {1071, m_fMulZ},
                                                  {1070, m_fMulY}, {1069, m_fMulX}};
        for (const auto& [id, value] : numbers)
            Box(id)->setText(QString::fromStdString(FormatNumberBox(value)));
        return true;
    }
    m_strSourcePath = PathBytes(Box(1055)->text());
    m_strTargetPath = PathBytes(Box(1056)->text());
    const auto refuse = [this](int id, const char* message) {
        // The message box takes the focus from the box: that is not the user leaving it.
        m_inExchange = true;
        desktop().MessageBox(this, message, std::string(), MsgButtons::Ok, MsgIcon::Warning);
        Box(id)->setFocus();
        Box(id)->selectAll();
        m_inExchange = false;
        return false;
    };
    if (!ParseIntegerBox(Box(1068)->text().toStdString(), m_nStartNumber))
        return refuse(1068, kEnterIntegerMessage);
    const std::pair<int, double*> numbers[] = {{1065, &m_fAddX}, {1066, &m_fAddY},
                                               {1067, &m_fAddZ}, {1071, &m_fMulZ},
                                               {1070, &m_fMulY}, {1069, &m_fMulX}};
    for (const auto& [id, member] : numbers) {
        if (!ParseNumberBox(Box(id)->text().toStdString(), *member))
            return refuse(id, kEnterNumberMessage);
    }
    return true;
}

void CUniversalConvertDlg::OnBrowseSource() {
    if (const std::optional<std::string> path =
            desktop().GetOpenFileName(this, TextDataFileRequest())) {
        m_strSourcePath = *path;
        UpdateData(false);
    }
}

void CUniversalConvertDlg::OnBrowseTarget() {
    const std::optional<std::string> path = desktop().GetSaveFileName(this, TextDataFileRequest());
    if (!path)
        return;
    m_strTargetPath = *path;
    // The chosen file exists from now on, emptied (the user agreed to replace it).
    FileError error;
    if (!WriteFileAtomic(*path, std::string(), &error))
        desktop().MessageBox(this, error.message, std::string(), MsgButtons::Ok, MsgIcon::Warning);
    UpdateData(false);
}

void CUniversalConvertDlg::OnAttributeBox() {
    List(1043)->setEnabled(IsTicked(1049));
}

void CUniversalConvertDlg::OnNumberingBox() {
    List(1052)->setEnabled(IsTicked(1051));
    Box(1068)->setEnabled(IsTicked(1051));
}

void CUniversalConvertDlg::OnSourceComma() {
    PickPair(1057, 1058);
}
void CUniversalConvertDlg::OnSourceSpace() {
    PickPair(1058, 1057);
}
void CUniversalConvertDlg::OnTargetComma() {
    PickPair(1061, 1062);
}
void CUniversalConvertDlg::OnTargetSpace() {
    PickPair(1062, 1061);
}

void CUniversalConvertDlg::PickPair(int ticked, int unticked) {
    FindControl<QCheckBox>(this, unticked)->setChecked(false);
    FindControl<QCheckBox>(this, ticked)->setChecked(true);
}

void CUniversalConvertDlg::OnNumberBoxLeave() {
    if (!m_inExchange)
        UpdateData(true);
}

bool CUniversalConvertDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Focus going to another window (a message box, another program) is
        // not the user leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            OnNumberBoxLeave();
    }
    return QDialog::eventFilter(watched, event);
}

void CUniversalConvertDlg::OnViewSource() {
    if (!m_strSourcePath.empty())
        ViewFile(this, m_strSourcePath);
}

void CUniversalConvertDlg::OnViewTarget() {
    if (!m_strTargetPath.empty())
        ViewFile(this, m_strTargetPath);
}

LayoutSettings CUniversalConvertDlg::LayoutFromControls() const {
    LayoutSettings layout;
    for (int i = 0; i < kLayoutPositions; ++i) {
        *Item(layout.source, i) = NormalizedPosition(List(kSourceLists[i])->currentIndex());
        *Item(layout.target, i) = NormalizedPosition(List(kTargetLists[i])->currentIndex());
    }
    layout.attributeEnabled = IsTicked(1049);
    layout.numberingEnabled = IsTicked(1051);
    return layout;
}

UniversalConversionRun CUniversalConvertDlg::RunFromControls() const {
    UniversalConversionRun run;
    run.layout = LayoutFromControls();
    run.sourceSeparator = IsTicked(1057) ? ',' : ' ';
    run.targetSeparator = IsTicked(1061) ? ',' : ' ';
    run.headerCount = IsTicked(1059);
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

void CUniversalConvertDlg::OnOK() {
    if (IsRunning())
        return;
    UpdateData(true);  // a refused box keeps the members it did not reach
    UpdateData(false);
    const UniversalConversionRun run = RunFromControls();
    SaveLayoutSettings(m_strIniPath, run.layout);  // stored even when the run stops early

    struct Shared {
        UniversalConversionRun run;
        UniversalConversionResult result;
    };
    const auto shared = std::make_shared<Shared>();
    shared->run = run;
    ShowRunning(this, true);
    m_thread = QThread::create([shared] { shared->result = ConvertLayoutFile(shared->run); });
    m_thread->setParent(this);
    // Queued to the dialog's thread: the result is shown where the dialog lives.
    connect(m_thread, &QThread::finished, this, [this, shared] {
        m_thread->wait();
        m_thread->deleteLater();
        m_thread = nullptr;
        ShowRunning(this, false);
        FinishRun(shared->run, shared->result);
    });
    m_thread->start();
}

// The advanced counter is kept but not shown: the box shows it only once the
// members are next written to the boxes (a browse does that).
void CUniversalConvertDlg::FinishRun(const UniversalConversionRun& run,
                                     const UniversalConversionResult& result) {
    m_nStartNumber = run.startNumber;
    for (const ConversionMessage& m : result.messages) {
        desktop().MessageBox(this, m.text, m.caption, MsgButtons::Ok,
                             m.failure ? MsgIcon::Warning : MsgIcon::None);
    }
}

void CUniversalConvertDlg::reject() {
    if (IsRunning())
        return;  // the run finishes first, as the dialog takes no input meanwhile
    QDialog::reject();
}

bool CUniversalConvertDlg::IsTicked(int id) const {
    return FindControl<QCheckBox>(this, id)->isChecked();
}

QComboBox* CUniversalConvertDlg::List(int id) const {
    return FindControl<QComboBox>(this, id);
}

QLineEdit* CUniversalConvertDlg::Box(int id) const {
    return FindControl<QLineEdit>(this, id);
}

}  // namespace vm
