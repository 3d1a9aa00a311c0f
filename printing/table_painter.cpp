#include "printing/table_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include "printing/pdf_text_layer.h"

namespace vm {
namespace {

QString Text(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

constexpr double kLargestPoints = 10.0;
constexpr double kSmallestPoints = 5.0;
constexpr size_t kFixedLines = 5;  // title, source, headings, rule, page number

QFont BaseFont() {
    QFont font(QStringLiteral("Noto Sans Mono CJK SC"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(kLargestPoints);
    return font;
}

// A fixed-pitch font with Chinese characters two digits wide, shrunk when the
// table is wider than the page.
QFont TableFont(QPainter& painter, double pageWidth, size_t tableCells) {
    QFont font = BaseFont();
    const double cell = QFontMetricsF(font, painter.device()).horizontalAdvance(QLatin1Char('0'));
    if (tableCells > 0 && cell * static_cast<double>(tableCells) > pageWidth) {
        const double fitted = kLargestPoints * pageWidth / (cell * static_cast<double>(tableCells));
        font.setPointSizeF(std::max(kSmallestPoints, fitted));
    }
    return font;
}

struct Metrics {
    double cell;
    double line;
    double width;
    double height;
};

void PaintRow(QPainter& painter, const PrintTable& table, const std::vector<std::string>& fields,
              double y, const Metrics& m) {
    const std::vector<size_t> starts = PrintColumnStarts(table);
    for (size_t c = 0; c < fields.size() && c < starts.size(); ++c) {
        const QRectF box(static_cast<double>(starts[c]) * m.cell, y,
                         static_cast<double>(table.widths[c]) * m.cell, m.line);
        const int align = (table.alignRight[c] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        painter.drawText(box, align, Text(fields[c]));
    }
}

void PaintPage(QPainter& painter, const PrintTable& table, const PrintPage& page, size_t number,
               size_t pages, const Metrics& m) {
    QFont bold = painter.font();
    bold.setBold(true);
    const QFont plain = painter.font();
    painter.setFont(bold);
    painter.drawText(QRectF(0, 0, m.width, m.line), Qt::AlignLeft | Qt::AlignVCenter,
                     Text(kPrintTitle));
    painter.setFont(plain);
    painter.drawText(QRectF(0, m.line, m.width, m.line), Qt::AlignLeft | Qt::AlignVCenter,
                     Text(PrintSourceLine(table)));
    painter.setFont(bold);
    PaintRow(painter, table, table.headings, 2.5 * m.line, m);
    painter.setFont(plain);
    const double rule = 3.5 * m.line;
    painter.drawLine(QPointF(0, rule),
                     QPointF(static_cast<double>(PrintTableWidth(table)) * m.cell, rule));
    double y = rule + 0.25 * m.line;
    for (size_t r = page.firstRow; r < page.firstRow + page.rowCount; ++r, y += m.line)
        PaintRow(painter, table, table.rows[r], y, m);
    painter.drawText(QRectF(0, m.height - m.line, m.width, m.line),
                     Qt::AlignHCenter | Qt::AlignVCenter, Text(PrintPageFooter(number, pages)));
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
    Metrics m{};
    m.width = device.width();
    m.height = device.height();
    painter.setFont(TableFont(painter, m.width, PrintTableWidth(table)));
    const QFontMetricsF fm(painter.font(), &device);
    m.cell = fm.horizontalAdvance(QLatin1Char('0'));
    m.line = fm.height() * 1.2;
    const std::vector<PrintPage> pages =
        PaginatePrintTable(table.rows.size(), PrintRowsPerPage(m.height, m.line, kFixedLines));
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        PaintPage(painter, table, pages[i], i + 1, pages.size(), m);
    }
    return painter.end();
}

}  // namespace vm
