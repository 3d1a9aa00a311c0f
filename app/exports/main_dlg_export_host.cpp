#include "app/exports/main_dlg_export_host.h"

#include <QPrinter>
#include <QThread>
#include <QTimer>

#include "app/desktop.h"
#include "common/file_io.h"
#include "export/print_table.h"
#include "printing/table_painter.h"

namespace vm {
namespace {

// Printed to a PDF file, the file gets the printed characters back in its
// text layer once Qt has written it.
bool PaintTable(QPagedPaintDevice& device, const PrintTable& table) {
    if (!PaintPrintTable(device, table))
        return false;
    auto* printer = dynamic_cast<QPrinter*>(&device);
    if (!printer || printer->outputFormat() != QPrinter::PdfFormat ||
        printer->outputFileName().isEmpty())
        return true;
    const std::string path = PathBytes(printer->outputFileName());
    std::string bytes;
    FileError error;
    if (!ReadFileBytes(path, bytes, &error))
        return false;
    QByteArray pdf = QByteArray::fromStdString(bytes);
    RestoreTablePdfText(pdf, table);
    return WriteFileAtomic(path, pdf.toStdString(), &error);
}

}  // namespace

void MainDlgExportHost::MessageBox(const std::string& text, const std::string& caption) {
    desktop().MessageBox(m_dlg, text, caption);
}

std::optional<std::string> MainDlgExportHost::AskOpenFile(const FileDialogRequest& request) {
    return desktop().GetOpenFileName(m_dlg, request);
}

std::optional<std::string> MainDlgExportHost::AskSaveFile(const FileDialogRequest& request) {
    return desktop().GetSaveFileName(m_dlg, request);
}

void MainDlgExportHost::ShowStatus(const std::string& status) {
    if (!m_dlg)
        return;
    m_dlg->m_strStatus = status;
    m_dlg->UpdateData(false);
}

void MainDlgExportHost::ViewFile(const std::string& path) {
    vm::ViewFile(m_dlg, path);
}

void MainDlgExportHost::ViewFileLater(const std::string& path, int delayMs) {
    QPointer<CMainDlg> owner = m_dlg;
    QTimer::singleShot(delayMs, m_dlg, [owner, path] {
        if (owner)
            vm::ViewFile(owner, path);
    });
}

// The worker is not the window's child: a window closed meanwhile gets no
// report, and the file is still written whole or not at all.
void MainDlgExportHost::RunInBackground(std::function<void()> work,
                                        std::function<void(ExportCommandHost&)> done) {
    QThread* worker = QThread::create(std::move(work));
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    QPointer<CMainDlg> owner = m_dlg;
    QObject::connect(worker, &QThread::finished, m_dlg, [owner, done = std::move(done)] {
        if (!owner)
            return;
        MainDlgExportHost host(*owner);
        done(host);
    });
    worker->start();
}

void MainDlgExportHost::PrintTable(std::shared_ptr<const vm::PrintTable> table,
                                   const std::string& title) {
    desktop().PrintPreview(
        m_dlg, title, [table](QPagedPaintDevice& device) { return PaintTable(device, *table); });
}

}  // namespace vm
