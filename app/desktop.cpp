#include "app/desktop.h"

#include "app/file_filter.h"
#include "app/program_finder.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QUrl>

namespace vm {
namespace {

QString FromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QMessageBox::Icon QtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Stop:
            return QMessageBox::Critical;
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Warning:
            return QMessageBox::Warning;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtButtons(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MsgButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

// Escape and the close box answer as the desktop's dialogs do: Cancel, or No
// for a Yes/No question.
MsgResult FromQt(int button, MsgButtons buttons) {
    switch (button) {
        case QMessageBox::Yes:
            return MsgResult::Yes;
        case QMessageBox::No:
            return MsgResult::No;
        case QMessageBox::Ok:
            return MsgResult::Ok;
        case QMessageBox::Cancel:
            return MsgResult::Cancel;
        default:
            break;
    }
    if (buttons == MsgButtons::YesNo)
        return MsgResult::No;
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
}

// The request's check box goes below the file list; the platform's own file
// dialog has no room for it, so the dialog is then Qt's.
QCheckBox* AddOption(QFileDialog& dialog, const FileDialogRequest& request) {
    if (request.optionCaption.empty() || !request.optionChecked)
        return nullptr;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid)
        return nullptr;
    auto* box = new QCheckBox(FromUtf8(request.optionCaption), &dialog);
    box->setChecked(*request.optionChecked);
    grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

std::optional<std::string> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                         bool save) {
    QFileDialog dialog(parent, FromUtf8(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(save && request.confirmOverwrite));
    const std::string filter = QtFileFilter(request.filter);
    if (!filter.empty())
        dialog.setNameFilter(FromUtf8(filter));
    // Opening keeps a chosen name as it is when that file exists (see ApplyDefaultExtension).
    if (save)
        dialog.setDefaultSuffix(FromUtf8(BareExtension(request.defaultExt)));
    if (!request.initialName.empty())
        dialog.selectFile(PathText(request.initialName));
    QCheckBox* option = AddOption(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    if (option)
        *request.optionChecked = option->isChecked();
    return ApplyDefaultExtension(PathBytes(dialog.selectedFiles().first()), request.defaultExt,
                                 !save);
}

bool StartFirstOf(const std::vector<std::string>& candidates, const QStringList& arguments) {
    const std::string program = FindFirstProgram(candidates);
    return !program.empty() && QProcess::startDetached(PathText(program), arguments);
}

class QtDesktop : public Desktop {
public:
    MsgResult MessageBox(QWidget* parent, const std::string& text, const std::string& caption,
                         MsgButtons buttons, MsgIcon icon) override {
        QMessageBox box(QtIcon(icon), FromUtf8(caption.empty() ? kMessageCaption : caption),
                        FromUtf8(text), QtButtons(buttons), parent);
        return FromQt(box.exec(), buttons);
    }

    std::optional<std::string> GetOpenFileName(QWidget* parent,
                                               const FileDialogRequest& request) override {
        return RunFileDialog(parent, request, false);
    }

    std::optional<std::string> GetSaveFileName(QWidget* parent,
                                               const FileDialogRequest& request) override {
        return RunFileDialog(parent, request, true);
    }

    bool OpenWithViewer(QWidget*, const std::string& path) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(PathText(path)));
    }

    bool StartTextEditor(QWidget*, const std::string& path) override {
        return StartFirstOf(TextEditorCandidates(), {PathText(path)});
    }

    bool StartCalculator(QWidget*) override { return StartFirstOf(CalculatorCandidates(), {}); }

    void PrintPreview(QWidget* parent, const std::string& title,
                      const PagePainter& paint) override {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(FromUtf8(title));
        QPrintPreviewDialog dialog(&printer, parent);
        dialog.setWindowTitle(FromUtf8(title));
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&paint](QPrinter* p) { paint(*p); });
        dialog.exec();
    }
};

Desktop* g_installed = nullptr;

}  // namespace

// Paths are UTF-8 inside the program on every system (the core's file calls
// turn them into UTF-16 on Windows), where Qt's own file-name encoding would be
// the ANSI code page on Windows.
QString PathText(const std::string& path) {
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

std::string PathBytes(const QString& text) {
    return text.toUtf8().toStdString();
}

void ViewFile(QWidget* parent, const std::string& path) {
    if (!desktop().OpenWithViewer(parent, path))
        desktop().MessageBox(parent, std::string(kNoViewerMessage) + path);
}

Desktop& desktop() {
    static QtDesktop qtDesktop;
    return g_installed ? *g_installed : qtDesktop;
}

Desktop* setDesktop(Desktop* d) {
    Desktop* previous = g_installed;
    g_installed = d;
    return previous;
}

}  // namespace vm
