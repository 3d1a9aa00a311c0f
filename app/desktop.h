#pragma once
// The program's one door to the desktop: message boxes, open/save file
// dialogs, handing a file to the desktop's viewer, starting a text editor or a
// calculator. Windows and commands reach these only through desktop(), so the
// GUI tests install a scripted double instead of running real modal loops.
//
// Texts are UTF-8; paths are the file system's bytes (UTF-8 on Linux).

#include <functional>
#include <optional>
#include <string>

#include "dialogs/desktop_requests.h"

class QPagedPaintDevice;
class QString;
class QWidget;

namespace vm {

// Paints a document's pages on a printer (or a PDF); false when it could not.
using PagePainter = std::function<bool(QPagedPaintDevice&)>;

// A path's bytes as a text box shows them, and a box's text as path bytes.
QString PathText(const std::string& path);
std::string PathBytes(const QString& text);

class Desktop {
public:
    virtual ~Desktop() = default;

    // An empty caption means kMessageCaption.
    virtual MsgResult MessageBox(QWidget* parent, const std::string& text,
                                 const std::string& caption = std::string(),
                                 MsgButtons buttons = MsgButtons::Ok,
                                 MsgIcon icon = MsgIcon::None) = 0;

    // The chosen path (with the default extension applied), or nothing when cancelled.
    virtual std::optional<std::string> GetOpenFileName(QWidget* parent,
                                                       const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> GetSaveFileName(QWidget* parent,
                                                       const FileDialogRequest& request) = 0;

    // Each returns false when nothing could be started; the caller tells the user.
    virtual bool OpenWithViewer(QWidget* parent, const std::string& path) = 0;
    // The path goes to the editor as one argument, exactly as given.
    virtual bool StartTextEditor(QWidget* parent, const std::string& path) = 0;
    virtual bool StartCalculator(QWidget* parent) = 0;

    // The platform's print preview of the pages paint draws, from which the
    // user prints or saves a PDF; returns once it is closed.
    virtual void PrintPreview(QWidget* parent, const std::string& title,
                              const PagePainter& paint) = 0;
};

// The desktop in use: the Qt one unless a test installed another.
Desktop& desktop();
// Installs d (not owned); nullptr restores the Qt desktop. Returns the
// desktop installed before (nullptr when it was the Qt one).
Desktop* setDesktop(Desktop* d);

// Messages for launches that found nothing to start.
inline constexpr const char* kNoEditorMessage =
    "找不到文本编辑器。请安装一个文本编辑器（如 gedit、kate、mousepad 或 xed）后再试。";
inline constexpr const char* kNoCalculatorMessage =
    "找不到计算器程序。请安装一个计算器（如 gnome-calculator、kcalc、galculator 或 "
    "mate-calc）后再试。";

// Hands path to the desktop's viewer; when nothing could open it the user is
// told, as a viewer that never starts would otherwise leave a command silently dead.
void ViewFile(QWidget* parent, const std::string& path);

}  // namespace vm
