#include "printing/pdf_text_layer.h"

#include <QHash>
#include <QRawFont>
#include <QSet>

#include <algorithm>
#include <optional>

namespace vm {
namespace {

// Which printed character each code point of the table stands for.
class PrintedTwins {
public:
    PrintedTwins(const QString& printed, const std::vector<QFont>& fonts) {
        for (const QChar c : printed) {
            if (!c.isSurrogate())
                m_printed.insert(c.unicode());
        }
        for (const QFont& font : fonts) {
            Face face{QRawFont::fromFont(font), {}};
            if (!face.raw.isValid())
                continue;
            for (const char16_t c : m_printed) {
                const quint32 glyph = Glyph(face.raw, c);
                if (glyph != 0 && !face.printedByGlyph.contains(glyph))
                    face.printedByGlyph.insert(glyph, c);
            }
            m_faces.push_back(std::move(face));
        }
    }

    // The printed character that code stands for, when it is not printed itself.
    std::optional<char16_t> TwinOf(char16_t code) const {
        if (m_printed.contains(code))
            return std::nullopt;
        for (const Face& face : m_faces) {
            const quint32 glyph = Glyph(face.raw, code);
            const auto it = face.printedByGlyph.constFind(glyph);
            if (glyph != 0 && it != face.printedByGlyph.constEnd())
                return *it;
        }
        return std::nullopt;
    }

private:
    struct Face {
        QRawFont raw;
        QHash<quint32, char16_t> printedByGlyph;
    };

    static quint32 Glyph(const QRawFont& raw, char16_t c) {
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString(QChar(c)));
        return glyphs.size() == 1 ? glyphs[0] : 0;
    }

    QSet<char16_t> m_printed;
    std::vector<Face> m_faces;
};

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The code point of a "<XXXX>" token at at, or nothing.
std::optional<char16_t> CodeAt(const QByteArray& pdf, qsizetype at) {
    if (at + 6 > pdf.size() || pdf[at] != '<' || pdf[at + 5] != '>')
        return std::nullopt;
    int value = 0;
    for (int i = 1; i <= 4; ++i) {
        const int digit = HexValue(pdf[at + i]);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + digit;
    }
    return char16_t(value);
}

void WriteCode(QByteArray& pdf, qsizetype at, char16_t code) {
    const QByteArray hex = QByteArray::number(int(code), 16).toUpper().rightJustified(4, '0');
    pdf.replace(at + 1, 4, hex);
}

// The target tokens of one table line: in "<from> <to> [<a> <b> ...]" the
// listed ones, in "<code> <target>" (a single character) the second. A range
// "<from> <to> <first>" of several codes is left as it is.
std::vector<qsizetype> TargetTokens(const QByteArray& pdf, qsizetype begin, qsizetype end) {
    std::vector<qsizetype> tokens;
    for (qsizetype at = pdf.indexOf('<', begin); at >= 0 && at < end; at = pdf.indexOf('<', at + 1))
        tokens.push_back(at);
    const qsizetype list = pdf.indexOf('[', begin);
    if (list >= 0 && list < end) {
        tokens.erase(tokens.begin(), std::find_if(tokens.begin(), tokens.end(),
                                                  [list](qsizetype at) { return at > list; }));
        return tokens;
    }
    if (tokens.size() == 2)
        return {tokens[1]};
    if (tokens.size() == 3 && CodeAt(pdf, tokens[0]) == CodeAt(pdf, tokens[1]))
        return {tokens[2]};
    return {};
}

void RestoreSection(QByteArray& pdf, qsizetype begin, qsizetype end, const PrintedTwins& twins) {
    for (qsizetype line = begin; line < end;) {
        qsizetype lineEnd = pdf.indexOf('\n', line);
        if (lineEnd < 0 || lineEnd > end)
            lineEnd = end;
        for (const qsizetype at : TargetTokens(pdf, line, lineEnd)) {
            const std::optional<char16_t> code = CodeAt(pdf, at);
            if (!code)
                continue;
            if (const std::optional<char16_t> twin = twins.TwinOf(*code))
                WriteCode(pdf, at, *twin);
        }
        line = lineEnd + 1;
    }
}

}  // namespace

void RestorePdfTextLayer(QByteArray& pdf, const QString& printed, const std::vector<QFont>& fonts) {
    const PrintedTwins twins(printed, fonts);
    for (const char* section : {"bfrange", "bfchar"}) {
        const QByteArray open = QByteArray("begin") + section;
        const QByteArray close = QByteArray("end") + section;
        for (qsizetype at = pdf.indexOf(open); at >= 0; at = pdf.indexOf(open, at)) {
            const qsizetype end = pdf.indexOf(close, at);
            if (end < 0)
                break;
            RestoreSection(pdf, at + open.size(), end, twins);
            at = end;
        }
    }
}

}  // namespace vm
