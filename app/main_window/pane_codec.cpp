#include "app/main_window/pane_codec.h"

namespace vm {

QString DecodePaneBytes(const std::string& bytes, PaneEncoding encoding) {
    return DecodePaneBytes(std::string_view(bytes), encoding);
}

QString DecodePaneBytes(std::string_view bytes, PaneEncoding encoding) {
    const std::string utf8 = DecodePaneBytesToUtf8(bytes, encoding);
    // QString::fromUtf8 drops a leading byte-order mark; the pane keeps it.
    const bool bom = utf8.compare(0, 3, "\xEF\xBB\xBF") == 0;
    const size_t skip = bom ? 3 : 0;
    QString text = QString::fromUtf8(utf8.data() + skip, qsizetype(utf8.size() - skip));
    if (bom)
        text.prepend(QChar(0xFEFF));
    return text;
}

std::string EncodePaneText(const QString& text, PaneEncoding encoding) {
    QString plain = text;
    plain.replace(QChar(0x2029), QLatin1Char('\n'));  // the widget's line breaks
    const QByteArray utf8 = plain.toUtf8();
    return EncodePaneUtf8(std::string_view(utf8.constData(), size_t(utf8.size())), encoding);
}

}  // namespace vm
