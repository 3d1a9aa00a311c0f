#include "printing/table_pdf.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <cstdio>
#include <memory>

#include "printing/table_painter.h"

namespace vm {
namespace {

// The toolkit's own remarks (a missing XDG_RUNTIME_DIR, font set-up) are no
// business of a command line's user: only its errors reach standard error.
void ToolkitErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// Fonts need a graphical application; a command line has none of its own.
void EnsureGuiApplication() {
    if (QCoreApplication::instance())
        return;
    qInstallMessageHandler(ToolkitErrorsOnly);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "veltramarlin-cli";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

bool WriteTablePdf(const std::string& path, const PrintTable& table, FileError& error) {
    EnsureGuiApplication();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(QString::fromUtf8(kPrintTitle) + QStringLiteral(" - ") +
                     QString::fromStdString(table.sourceName));
        pdf.setCreator(QStringLiteral("VeltraMarlin"));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        if (!PaintPrintTable(pdf, table)) {
            error = FileError{0, "无法生成 PDF 文件 " + path};
            return false;
        }
    }
    QByteArray bytes = buffer.data();
    RestoreTablePdfText(bytes, table);
    return WriteFileAtomic(path, bytes.toStdString(), &error);
}

}  // namespace vm
