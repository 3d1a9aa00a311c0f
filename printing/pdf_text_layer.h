#pragma once
// The text layer of a PDF that Qt writes: for each embedded font, a table
// that names the character of every glyph, so that copying and searching give
// back the text. Qt names each glyph by the lowest code point the font maps to
// it, and CJK fonts draw a radical and its ideograph with one glyph: 文 would
// come back as the radical ⽂ (U+2F42), 页 as ⻚ (U+2EDA). These functions put
// the printed characters back into that table.

#include <QByteArray>
#include <QFont>
#include <QString>

#include <vector>

namespace vm {

// Rewrites pdf's character tables in place (the file's length and layout stay
// as they are): a code point that was not printed but shares its glyph, in
// one of fonts, with a character of printed becomes that character.
void RestorePdfTextLayer(QByteArray& pdf, const QString& printed, const std::vector<QFont>& fonts);

}  // namespace vm
