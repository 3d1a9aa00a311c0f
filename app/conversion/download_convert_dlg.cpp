#include "app/conversion/download_convert_dlg.h"
#include "app/preview/convert_preview.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTime>

#include "app/app_icon.h"
#include "app/control_table.h"
#include "app/desktop.h"
#include "app/hints/download_convert_hints.h"
#include "app/conversion/download_convert_paths.h"
#include "common/file_io.h"
#include "common/user_paths.h"
#include "instrument/other_makers_source.h"
#include "instrument/target_layout.h"

namespace vm {

namespace {

constexpr char kStatusRunning[] = "开始转换........";
constexpr char kNoSuchFileMessage[] = "文件不存在：";
constexpr char kReplaceDeclinedStatus[] = "转换已取消，没有替换任何文件";

// The status box shows every "\r\n" of a status text as one line break.
QString ShownStatus(const std::string& status) {
    QString text = QString::fromStdString(status);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

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

}  // namespace

CDownloadConvertDlg::CDownloadConvertDlg(QWidget* parent) : QDialog(parent), m_worker(this) {
    CreateControls();
    AttachConversionPreview(*this);
    ConnectControls();
    // Mouse movements over any control reach the hint window, as every other
    // message passes through the dialog first.
    for (QWidget* child : findChildren<QWidget*>())
        child->setMouseTracking(true);
    setMouseTracking(true);
    qApp->installEventFilter(this);
    m_editMeasFile->installEventFilter(this);
    m_editCoordFile->installEventFilter(this);
}

CDownloadConvertDlg::~CDownloadConvertDlg() {
    qApp->removeEventFilter(this);
}

int CDownloadConvertDlg::DoModal() {
    OnInitDialog();
    return exec();
}

bool CDownloadConvertDlg::OnInitDialog() {
    setWindowTitle(QStringLiteral("数据转换"));
    setWindowIcon(AppIcon());
    g_strMeasSource.clear();
    g_strCoordSource.clear();
    if (m_nMode == 1) {
        EnableControls(this, {1071, 1072, 1078, 1076, 1079, 1084, 1085}, false);
        g_strMeasSource = WorkFilePath();
    } else if (m_nMode == 2) {
        EnableControls(
            this, {1072, 1073, 1074, 1075, 1067, 1068, 1069, 1071, 1080, 1081, 1078, 1076}, false);
        g_strCoordSource = WorkFilePath();
    }
    FindControl<QCheckBox>(this, 1067)->setChecked(true);
    EnableControls(this, {1082, 1074, 1083, 1075}, false);

    m_comboLayout->clear();
    const auto& names = TargetLayoutNames();
    for (int i = 0; i < kTargetLayoutCount; ++i)
        m_comboLayout->insertItem(i, names[i]);
    m_comboLayout->setCurrentIndex(0);
    m_comboFormat->clear();
    size_t formats = 0;
    const SourceFormat* list = ChoosableFormats(formats);
    for (size_t i = 0; i < formats; ++i)
        m_comboFormat->addItem(QString::fromUtf8(SourceFormatCaption(list[i])));
    m_comboFormat->setCurrentIndex(0);
    OnFormatChange();

    m_wndHint.SetOwner(this);
    const QColor white(255, 255, 255), black(0, 0, 0);
    for (const ControlHint& hint : DownloadConvertHints())
        m_wndHint.AddHint(hint.controlId, hint.lines, white, black);
    return true;
}

void CDownloadConvertDlg::DoDataExchange(bool save) {
    if (save) {
        m_strMeasFile = PathBytes(m_editMeasFile->text());
        m_strCoordFile = PathBytes(m_editCoordFile->text());
        return;
    }
    m_editMeasFile->setText(PathText(m_strMeasFile));
    m_editCoordFile->setText(PathText(m_strCoordFile));
    m_editStatus->setPlainText(
        ShownStatus(m_strRunStamp.empty() ? m_strStatus : m_strStatus + "\r\n" + m_strRunStamp));
    ShowTargets();
}

void CDownloadConvertDlg::ConnectControls() {
    OnClicked(this, 1067, &CDownloadConvertDlg::OnCoordExtractBox);
    OnClicked(this, 1068, &CDownloadConvertDlg::OnAngleDistBox);
    OnClicked(this, 1069, &CDownloadConvertDlg::OnAngleBox);
    OnClicked(this, 1072, &CDownloadConvertDlg::OnBrowseMeasSource);
    OnClicked(this, 1073, &CDownloadConvertDlg::OnBrowseCoordExtractTarget);
    OnClicked(this, 1074, &CDownloadConvertDlg::OnBrowseAngleDistTarget);
    OnClicked(this, 1075, &CDownloadConvertDlg::OnBrowseAngleTarget);
    OnClicked(this, 1076, &CDownloadConvertDlg::OnBrowseCoordSource);
    OnClicked(this, 1079, &CDownloadConvertDlg::OnBrowseCoordTarget);
    OnClicked(this, 1, &CDownloadConvertDlg::OnOK);
    connect(m_comboFormat, &QComboBox::activated, this, [this] { OnFormatChange(); });
    OnClicked(this, 2, &CDownloadConvertDlg::reject);
    for (int id = 1080; id <= 1085; ++id) {
        connect(FindControl<QAbstractButton>(this, id), &QAbstractButton::clicked, this,
                [this, id] { OnViewFile(id); });
    }
}

bool CDownloadConvertDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        PreTranslateMessage(watched, event);
    } else if (watched == this &&
               (event->type() == QEvent::Leave || event->type() == QEvent::WindowDeactivate ||
                event->type() == QEvent::Hide)) {
        m_wndHint.RelayMouseLeave();
    } else if (event->type() == QEvent::FocusOut) {
        if (watched == m_editMeasFile)
            OnMeasSourceLeave();
        if (watched == m_editCoordFile)
            OnCoordSourceLeave();
    }
    return QDialog::eventFilter(watched, event);
}

void CDownloadConvertDlg::PreTranslateMessage(QObject* receiver, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || (widget != this && !isAncestorOf(widget)))
        return;
    const auto* move = static_cast<QMouseEvent*>(event);
    m_wndHint.RelayMouseMove(mapFromGlobal(move->globalPosition().toPoint()));
}

bool CDownloadConvertDlg::IsTicked(int checkBoxId) const {
    return FindControl<QCheckBox>(this, checkBoxId)->checkState() == Qt::Checked;
}

void CDownloadConvertDlg::OnCoordExtractBox() {
    EnableControls(this, {1081, 1073, 1077}, IsTicked(1067));
}

void CDownloadConvertDlg::OnAngleDistBox() {
    EnableControls(this, {1082, 1074}, IsTicked(1068));
}

void CDownloadConvertDlg::OnAngleBox() {
    EnableControls(this, {1083, 1075}, IsTicked(1069));
}

bool CDownloadConvertDlg::BrowseForSource(std::string& path) {
    const auto chosen = desktop().GetOpenFileName(this, TextDataFileRequest());
    if (chosen)
        path = *chosen;
    return chosen.has_value();
}

bool CDownloadConvertDlg::BrowseForTarget(std::string& path) {
    const auto chosen = desktop().GetSaveFileName(this, TextDataFileRequest());
    if (chosen)
        path = *chosen;
    return chosen.has_value();
}

void CDownloadConvertDlg::OnBrowseMeasSource() {
    if (!BrowseForSource(g_strMeasSource))
        return;
    m_strMeasFile = g_strMeasSource;
    UpdateData(false);
    OnFormatChange();
}

void CDownloadConvertDlg::OnBrowseCoordSource() {
    if (!BrowseForSource(g_strCoordSource))
        return;
    m_strCoordFile = g_strCoordSource;
    UpdateData(false);
    OnFormatChange();
}

void CDownloadConvertDlg::OnBrowseCoordExtractTarget() {
    BrowseForTarget(g_strCoordExtractTarget);
    ShowTargets();
}

void CDownloadConvertDlg::OnBrowseAngleDistTarget() {
    BrowseForTarget(g_strAngleDistTarget);
    ShowTargets();
}

void CDownloadConvertDlg::OnBrowseAngleTarget() {
    BrowseForTarget(g_strAngleTarget);
    ShowTargets();
}

void CDownloadConvertDlg::OnBrowseCoordTarget() {
    BrowseForTarget(g_strCoordTarget);
    ShowTargets();
}

void CDownloadConvertDlg::OnViewFile(int buttonId) {
    const std::string* path = ViewedPath(buttonId);
    if (!path || path->empty())
        return;
    if (!FileExists(*path)) {
        desktop().MessageBox(this, kNoSuchFileMessage + *path);
        return;
    }
    ViewFile(this, *path);
}

void CDownloadConvertDlg::OnMeasSourceLeave() {
    UpdateData(true);
    g_strMeasSource = m_strMeasFile;
}

void CDownloadConvertDlg::OnCoordSourceLeave() {
    UpdateData(true);
    g_strCoordSource = m_strCoordFile;
}

SourceFormat CDownloadConvertDlg::ChosenFormat() const {
    size_t count = 0;
    const SourceFormat* list = ChoosableFormats(count);
    const int index = m_comboFormat->currentIndex();
    return index > 0 && static_cast<size_t>(index) < count ? list[index] : SourceFormat::Auto;
}

void CDownloadConvertDlg::OnFormatChange() {
    const std::string& source = g_strMeasSource.empty() ? g_strCoordSource : g_strMeasSource;
    const std::string line = DescribeSourceFile(source, ChosenFormat());
    if (line.empty())
        return;
    m_strStatus = line;
    UpdateData(false);
}

DownloadConversionInput CDownloadConvertDlg::GatherRunInput() const {
    DownloadConversionInput input;
    input.measSource = g_strMeasSource;
    input.coordSource = g_strCoordSource;
    input.coordTarget = g_strCoordTarget;
    input.coordExtractTarget = g_strCoordExtractTarget;
    input.angleDistTarget = g_strAngleDistTarget;
    input.angleTarget = g_strAngleTarget;
    input.options.coordinates = IsTicked(1067);
    input.options.angleDistance = IsTicked(1068);
    input.options.angles = IsTicked(1069);
    input.options.layout = m_comboLayout->currentIndex();
    input.format = ChosenFormat();
    return input;
}

DownloadConversionInput CDownloadConvertDlg::RunInput() {
    // Enter in a path box presses "转换" with the focus still in the box: take
    // the typed path as leaving the box would, instead of overwriting it.
    if (focusWidget() == m_editMeasFile)
        OnMeasSourceLeave();
    if (focusWidget() == m_editCoordFile)
        OnCoordSourceLeave();
    return GatherRunInput();
}

void CDownloadConvertDlg::OnOK() {
    if (m_worker.IsRunning())
        return;
    const DownloadConversionInput input = RunInput();
    if (!ConfirmReplacingTargets(input)) {
        ShowRunStatus(kReplaceDeclinedStatus);
        return;
    }
    ShowRunning(this, true);
    m_strStatus = kStatusRunning;
    m_strRunStamp.clear();
    UpdateData(false);
    m_worker.Start(input, [this](const ConversionResult& result) {
        ShowRunning(this, false);
        ShowRunResult(result);
    });
}

void CDownloadConvertDlg::ShowRunResult(const ConversionResult& result) {
    const auto showMessages = [&] {
        for (const std::string& message : result.messages)
            desktop().MessageBox(this, message);
    };
    if (result.messagesBeforeStatus)
        showMessages();
    ShowRunStatus(DialogRunStatus(result));
    if (!result.messagesBeforeStatus)
        showMessages();
}

void CDownloadConvertDlg::ShowRunStatus(const std::string& status) {
    const QTime now = QTime::currentTime();
    m_strStatus = status;
    m_strRunStamp = RunStamp(++m_runs, now.hour(), now.minute(), now.second());
    UpdateData(false);
}

void CDownloadConvertDlg::reject() {
    if (m_worker.IsRunning())
        return;
    QDialog::reject();
}

}  // namespace vm
