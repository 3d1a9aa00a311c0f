#pragma once
// A download's bytes reach the pane at every tick. Decoding and laying out the
// whole text each time would cost more the longer the download runs, so while
// the pane only grows at its end the new bytes alone are decoded and appended.
// The bytes after the last place where the text may be cut (see LastPaneCut)
// are shown provisionally and decoded again with the next bytes: a character
// cut off by the tick, or a CR whose LF is still to come, then shows right.

#include <QString>

#include <string>

#include "app/main_window/pane_codec.h"

class QPlainTextEdit;

namespace vm {

class PaneGrowth {
public:
    // Shows bytes in edit, which shows shown in encoding, by appending; false
    // (nothing done) when bytes do not merely extend shown or would be decoded
    // in another encoding: the pane is then rebuilt whole.
    bool Append(QPlainTextEdit& edit, const std::string& shown, const std::string& bytes,
                PaneEncoding encoding);

    // More new bytes than a tick brings at any baud rate: the pane is then
    // filled whole, in steps, as for a file.
    static constexpr size_t kMaxGrowth = 64 * 1024;

    // True when bytes are shown (not empty) followed by up to kMaxGrowth bytes. A pane rebuilt
    // whole for such bytes is decoded by DetectGrowingPaneEncoding, so that a character cut off by
    // the tick does not switch its encoding back and forth.
    static bool Extends(const std::string& shown, const std::string& bytes);

    // The pane was rebuilt whole: nothing of the last append is kept.
    void Forget() { *this = PaneGrowth(); }

private:
    // Widget characters that show the bytes of shown after its last cut.
    qsizetype TailChars(const std::string& shown, size_t cut, PaneEncoding encoding);

    size_t m_cut = 0;           // the last cut of the bytes last appended
    size_t m_size = 0;          // their size
    qsizetype m_tailChars = 0;  // characters shown for the bytes after m_cut
};

}  // namespace vm
