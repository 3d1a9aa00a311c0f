#pragma once
// Bytes of the text pane <-> the QString the pane widget shows, by the rule of
// common/pane_codec.h. The widget's paragraph separator U+2029 is a line break.

#include <QString>

#include <string>
#include <string_view>

#include "common/pane_codec.h"

namespace vm {

QString DecodePaneBytes(const std::string& bytes, PaneEncoding encoding);
QString DecodePaneBytes(std::string_view bytes, PaneEncoding encoding);

// The inverse of DecodePaneBytes. Line breaks ('\n' or U+2029) become CR LF.
std::string EncodePaneText(const QString& text, PaneEncoding encoding);

}  // namespace vm
