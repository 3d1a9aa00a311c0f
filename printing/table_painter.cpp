#include "printing/table_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include "printing/pdf_text_layer.h"
#include "export/print_page.h"

namespace vm {
namespace {

QString Text(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QFont BaseFont() {
    QFont font(QStringLiteral("Noto Sans Mono CJK SC"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(kPrintLargestPoints);
    return font;
}

// A fixed-pitch font with Chinese characters two digits wide, shrunk when the
// table is wider than the page.
QFont TableFont(QPainter& painter, double pageWidth, size_t tableCells) {
    QFont font = BaseFont();
    const double cell = QFontMetricsF(font, painter.device()).horizontalAdvance(QLatin1Char('0'));
    font.setPointSizeF(PrintFontPoints(cell, pageWidth, tableCells));
    return font;
}

int Alignment(PrintAlign align) {
    switch (align) {
        case PrintAlign::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case PrintAlign::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case PrintAlign::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

void PaintPage(QPainter& painter, const PrintPageLayout& page, const QFont& plain) {
    QFont bold = plain;
    bold.setBold(true);
    for (const PrintText& t : page.texts) {
        painter.setFont(t.bold ? bold : plain);
        painter.drawText(QRectF(t.x, t.y, t.width, t.height), Alignment(t.align), Text(t.text));
    }
    painter.drawLine(QPointF(0, page.ruleY), QPointF(page.ruleWidth, page.ruleY));
}

}  // namespace

void RestoreTablePdfText(QByteArray& pdf, const PrintTable& table) {
    QString printed =
        Text(kPrintTitle) + Text(PrintSourceLine(table)) + Text(PrintPageFooter(0, 0));
    for (const std::string& heading : table.headings)
        printed += Text(heading);
    for (const std::vector<std::string>& row : table.rows) {
        for (const std::string& field : row)
            printed += Text(field);
    }
    QFont bold = BaseFont();
    bold.setBold(true);
    RestorePdfTextLayer(pdf, printed, {BaseFont(), bold});
}

bool PaintPrintTable(QPagedPaintDevice& device, const PrintTable& table) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PrintMetrics m;
    m.width = device.width();
    m.height = device.height();
    const QFont font = TableFont(painter, m.width, PrintTableWidth(table));
    const QFontMetricsF fm(font, &device);
    m.cell = fm.horizontalAdvance(QLatin1Char('0'));
    m.line = fm.height() * kPrintLineSpacing;
    const std::vector<PrintPage> pages = PrintPages(table, m);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        PaintPage(painter, LayOutPrintPage(table, pages, i, m), font);
    }
    return painter.end();
}

}  // namespace vm
