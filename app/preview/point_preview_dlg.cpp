#include "app/preview/point_preview_dlg.h"

#include "app/control_id.h"
#include "app/desktop.h"
#include "app/preview/point_cloud_item.h"
#include "app/preview/point_view.h"
#include "common/file_io.h"

#include <QCheckBox>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QVBoxLayout>

namespace vm {
namespace {

QString Text(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

template <class T>
T* WithId(T* control, int id) {
    SetControlId(control, id);
    return control;
}

}  // namespace

CPointPreviewDlg::CPointPreviewDlg(QWidget* parent)
    : QDialog(parent, Qt::Window), m_set(std::make_unique<PointSet>()) {
    setWindowTitle(QStringLiteral("预览"));
    CreateControls();
    resize(900, 620);
}

CPointPreviewDlg::~CPointPreviewDlg() {
    // The item refers to the set: it goes first.
    delete m_scene;
}

void CPointPreviewDlg::CreateControls() {
    auto* open = WithId(new QPushButton(QStringLiteral("打开文件..."), this), kOpenId);
    auto* fit = WithId(new QPushButton(QStringLiteral("全图"), this), kFitId);
    auto* names = WithId(new QCheckBox(QStringLiteral("点名"), this), kNamesId);
    auto* codes = WithId(new QCheckBox(QStringLiteral("编码"), this), kCodesId);
    auto* exportPng = WithId(new QPushButton(QStringLiteral("导出PNG..."), this), kExportId);
    names->setChecked(true);
    connect(open, &QPushButton::clicked, this, &CPointPreviewDlg::OnOpenFile);
    connect(fit, &QPushButton::clicked, this, &CPointPreviewDlg::OnFitAll);
    connect(exportPng, &QPushButton::clicked, this, &CPointPreviewDlg::OnExportPng);
    connect(names, &QCheckBox::toggled, this, [this](bool on) {
        if (m_item)
            m_item->SetShowNames(on);
    });
    connect(codes, &QCheckBox::toggled, this, [this](bool on) {
        if (m_item)
            m_item->SetShowCodes(on);
    });

    auto* buttons = new QHBoxLayout;
    for (QWidget* w :
         {static_cast<QWidget*>(open), static_cast<QWidget*>(fit), static_cast<QWidget*>(names),
          static_cast<QWidget*>(codes), static_cast<QWidget*>(exportPng)})
        buttons->addWidget(w);
    buttons->addStretch();

    m_scene = new QGraphicsScene(this);
    m_view = WithId(new CPointView(this), kViewId);
    m_view->setScene(m_scene);
    connect(m_view, &CPointView::pointPicked, this, &CPointPreviewDlg::OnPointPicked);
    m_otherLines = WithId(new QListWidget(this), kOtherLinesId);
    m_otherLines->setToolTip(Text(kNonPointLinesTip));
    auto* split = new QSplitter(this);
    split->addWidget(m_view);
    split->addWidget(m_otherLines);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 1);
    split->setSizes({700, 240});

    m_summary = WithId(new QLabel(this), kSummaryId);
    m_picked = WithId(new QLabel(Text(kPickHint), this), kPickedId);
    m_picked->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(split, 1);
    layout->addWidget(m_summary);
    layout->addWidget(m_picked);
}

void CPointPreviewDlg::ShowBytes(const std::string& bytes, const std::string& source,
                                 PointFileKind kind, const LayoutColumns& layout) {
    auto set = std::make_unique<PointSet>(ReadPointSet(bytes, kind, layout));
    if (m_item) {
        m_scene->removeItem(m_item);
        delete m_item;
        m_item = nullptr;
    }
    m_set = std::move(set);
    m_item = new CPointCloudItem(*m_set);
    m_item->SetShowNames(FindControl<QCheckBox>(this, kNamesId)->isChecked());
    m_item->SetShowCodes(FindControl<QCheckBox>(this, kCodesId)->isChecked());
    m_scene->addItem(m_item);
    m_view->SetItem(m_item);

    setWindowTitle(QStringLiteral("预览 - ") + PathText(source));
    m_summary->setText(Text(PointSetSummary(*m_set)));
    m_otherLines->clear();
    for (const std::string& item : NonPointLineItems(*m_set))
        m_otherLines->addItem(Text(item));
    m_otherLines->setVisible(m_set->otherLineCount > 0);
    OnPointPicked(-1);
}

bool CPointPreviewDlg::ShowFile(const std::string& path, PointFileKind kind,
                                const LayoutColumns& layout) {
    std::string bytes;
    FileError error;
    if (!ReadFileBytes(path, bytes, &error)) {
        desktop().MessageBox(this, error.message, std::string(), MsgButtons::Ok, MsgIcon::Stop);
        return false;
    }
    ShowBytes(bytes, path, kind, layout);
    return true;
}

void CPointPreviewDlg::OnOpenFile() {
    const std::optional<std::string> path = desktop().GetOpenFileName(this, TextDataFileRequest());
    if (path)
        ShowFile(*path);
}

void CPointPreviewDlg::OnFitAll() {
    m_view->FitAll();
}

// What the view shows now, written whole or not at all.
void CPointPreviewDlg::OnExportPng() {
    FileDialogRequest request;
    request.filter = kPngFilter;
    request.defaultExt = "png";
    const std::optional<std::string> path = desktop().GetSaveFileName(this, request);
    if (!path)
        return;
    QSaveFile file(PathText(*path));
    const QPixmap image = m_view->viewport()->grab();
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        desktop().MessageBox(this, kPngWriteFailed + *path, std::string(), MsgButtons::Ok,
                             MsgIcon::Stop);
    }
}

void CPointPreviewDlg::OnPointPicked(long long index) {
    if (m_item)
        m_item->SetSelected(index);
    if (index < 0 || size_t(index) >= m_set->points.size()) {
        m_picked->setText(Text(kPickHint));
        return;
    }
    m_picked->setText(Text(PickedPointText(m_set->points[size_t(index)])));
}

CPointPreviewDlg* OpenPointPreview(QWidget* parent, const std::string& bytes,
                                   const std::string& source, PointFileKind kind,
                                   const LayoutColumns& layout) {
    auto* dlg = new CPointPreviewDlg(parent);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->ShowBytes(bytes, source, kind, layout);
    dlg->show();
    return dlg;
}

}  // namespace vm
