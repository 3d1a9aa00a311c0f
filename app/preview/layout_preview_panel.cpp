#include "app/preview/layout_preview_panel.h"

#include "app/control_id.h"
#include "app/desktop.h"
#include "app/dialog_units.h"
#include "app/main_window/pane_codec.h"
#include "app/preview/convert_preview.h"
#include "app/universal/universal_convert_dlg.h"
#include "universal/layout_preview.h"
#include "universal/number_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vm {
namespace {

constexpr int kPanelWidthDu = 230;
// Five records need no more than the file's first bytes.
constexpr qint64 kSourcePrefixBytes = 64 * 1024;

QString CellText(const std::string& bytes) {
    return DecodePaneBytes(bytes, DetectPaneEncoding(bytes));
}

std::string BoxText(const CUniversalConvertDlg& dlg, int id) {
    const QLineEdit* box = FindControl<QLineEdit>(&dlg, id);
    return box ? box->text().toStdString() : std::string();
}

// A box that holds no number yet (being typed) leaves the value the run had.
void TakeNumber(const CUniversalConvertDlg& dlg, int id, double& value) {
    double typed = 0;
    if (ParseNumberBox(BoxText(dlg, id), typed))
        value = typed;
}

// The run as the controls show it now, without the data exchange (which would
// complain about a box the user is still typing in).
UniversalConversionRun ShownRun(const CUniversalConvertDlg& dlg) {
    UniversalConversionRun run = dlg.RunFromControls();
    long long start = 0;
    if (ParseIntegerBox(BoxText(dlg, 1068), start))
        run.startNumber = start;
    TakeNumber(dlg, 1065, run.addX);
    TakeNumber(dlg, 1066, run.addY);
    TakeNumber(dlg, 1067, run.addZ);
    TakeNumber(dlg, 1069, run.mulX);
    TakeNumber(dlg, 1070, run.mulY);
    TakeNumber(dlg, 1071, run.mulZ);
    const QLineEdit* source = FindControl<QLineEdit>(&dlg, 1055);
    run.sourcePath = source ? PathBytes(source->text()) : std::string();
    return run;
}

std::string ReadPrefix(const std::string& path) {
    QFile file(PathText(path));
    if (path.empty() || !file.open(QIODevice::ReadOnly))
        return std::string();
    return file.read(kSourcePrefixBytes).toStdString();
}

}  // namespace

CLayoutPreviewPanel::CLayoutPreviewPanel(CUniversalConvertDlg& dlg) : QWidget(&dlg), m_dlg(dlg) {
    m_table = new QTableWidget(kRecords, 1, this);
    SetControlId(m_table, kTableId);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setVisible(false);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_table->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("预览（原文件前五条记录及转换结果）:"), this));
    layout->addWidget(m_table);
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    connect(&m_refresh, &QTimer::timeout, this, &CLayoutPreviewPanel::Refresh);
}

void CLayoutPreviewPanel::Refresh() {
    const UniversalConversionRun run = ShownRun(m_dlg);
    const std::vector<LayoutPreviewRow> rows =
        PreviewLayoutRecords(ReadPrefix(run.sourcePath), run, kRecords);
    int columns = 0;
    for (const LayoutPreviewRow& row : rows)
        columns = std::max(columns, int(row.cells.size()));
    m_table->clearContents();
    m_table->setColumnCount(columns + 1);
    QStringList headers{QStringLiteral("原记录")};
    for (int c = 1; c <= columns; ++c)
        headers << QString::number(c);
    m_table->setHorizontalHeaderLabels(headers);
    for (int r = 0; r < int(rows.size()); ++r) {
        m_table->setItem(r, 0, new QTableWidgetItem(CellText(rows[size_t(r)].source)));
        const std::vector<std::string>& cells = rows[size_t(r)].cells;
        for (int c = 0; c < int(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(CellText(cells[size_t(c)]));
            if (cells[size_t(c)].empty()) {
                item->setText(QString::fromUtf8(kEmptyCell));
                item->setBackground(QColor(255, 230, 150));
                item->setToolTip(QStringLiteral("空列：目标文件中这一列没有内容"));
            }
            m_table->setItem(r, c + 1, item);
        }
    }
    m_table->resizeColumnsToContents();
}

// The panel stands beside the layouts, to the right of the dialog's own
// controls: below them the dialog would no longer fit a 1366×768 screen.
CLayoutPreviewPanel* AttachLayoutPreview(CUniversalConvertDlg& dlg) {
    const DialogUnits du = DialogUnits::ForFont(dlg.font());
    const QSize size = dlg.size();
    auto* panel = new CLayoutPreviewPanel(dlg);
    panel->setGeometry(size.width(), du.toPixelsY(5), du.toPixelsX(kPanelWidthDu - 7),
                       size.height() - du.toPixelsY(12));
    dlg.setFixedSize(size.width() + du.toPixelsX(kPanelWidthDu), size.height());

    auto* preview = new QPushButton(QStringLiteral("预览"), &dlg);
    SetControlId(preview, kPreviewButtonId);
    preview->setAutoDefault(false);
    du.place(preview, 270, 233, 50, 15);
    QObject::connect(preview, &QPushButton::clicked, &dlg, [&dlg] { PreviewUniversalTarget(dlg); });

    const auto later = [panel] { panel->ScheduleRefresh(); };
    for (QComboBox* list : dlg.findChildren<QComboBox*>())
        QObject::connect(list, &QComboBox::currentIndexChanged, panel, later);
    for (QCheckBox* box : dlg.findChildren<QCheckBox*>())
        QObject::connect(box, &QCheckBox::toggled, panel, later);
    for (QLineEdit* box : dlg.findChildren<QLineEdit*>())
        QObject::connect(box, &QLineEdit::textChanged, panel, later);
    panel->ScheduleRefresh();
    return panel;
}

}  // namespace vm
