#include "instrument/source_format.h"

#include <algorithm>

#include "instrument/coordinate_text_reader.h"
#include "instrument/download_kind.h"
#include "instrument/other_makers.h"
#include "instrument/text_lines.h"

namespace vm {
namespace {

struct FormatRow {
    SourceFormat format;
    const char* name;
    const char* caption;
};

constexpr FormatRow kFormats[] = {
    {SourceFormat::Auto, "auto", "自动识别"},
    {SourceFormat::Gsi8, "gsi8", "Leica GSI-8"},
    {SourceFormat::Gsi16, "gsi16", "Leica GSI-16"},
    {SourceFormat::Sdr, "sdr", "Sokkia SDR"},
    {SourceFormat::NikonRaw, "nikon-raw", "Nikon RAW"},
    {SourceFormat::Job, "job", "Trimble/Geodimeter JOB/ARE"},
    {SourceFormat::Rw5, "rw5", "Carlson RW5"},
    {SourceFormat::Text, "text", "坐标文本"},
};

// How many non-empty lines recognition looks at.
constexpr int kLinesLooked = 20;

bool StartsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A GSI word: two digits of word index, four information characters, a sign,
// then 8 or 16 data characters.
bool LooksLikeGsiWord(std::string_view w, size_t data) {
    return w.size() == 7 + data && IsDigit(w[0]) && IsDigit(w[1]) && (w[6] == '+' || w[6] == '-');
}

SourceFormat GsiKind(std::string_view line) {
    const bool star = StartsWith(line, "*");
    if (star)
        line.remove_prefix(1);
    const size_t space = line.find(' ');
    const std::string_view first = line.substr(0, space);
    if (LooksLikeGsiWord(first, 16))
        return SourceFormat::Gsi16;
    if (!star && LooksLikeGsiWord(first, 8))
        return SourceFormat::Gsi8;
    return SourceFormat::Own;
}

bool IsJobLine(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0 || equals > 3)
        return false;
    for (size_t i = 0; i < equals; ++i) {
        if (!IsDigit(line[i]))
            return false;
    }
    return true;
}

bool IsRw5Line(std::string_view line) {
    for (std::string_view head :
         {"JB,NM", "MO,AD", "MO,UN", "OC,OP", "SP,PN", "BK,OP", "SS,OP", "TR,OP", "LS,HI"}) {
        if (StartsWith(line, head))
            return true;
    }
    return false;
}

bool IsNikonLine(std::string_view line) {
    for (std::string_view head :
         {"CO,", "ST,", "SS,", "CP,", "F1,", "F2,", "UP,", "MP,", "CC,", "RE,", "KI,"}) {
        if (StartsWith(line, head))
            return true;
    }
    return false;
}

// Plain coordinate text: most lines a name and three numbers. Comma-separated
// lines count only when some value has a decimal point (the instrument's
// coordinate files hold whole thousandths) or a line has only three commas
// (too few for the instrument's).
bool IsCoordinateText(const std::string_view* lines, int count) {
    int start = 0;
    if (count > 0 && lines[0].find_first_of("0123456789") == std::string_view::npos)
        start = 1;  // a column heading
    if (start >= count)
        return false;
    const char separator = CoordinateTextSeparator(lines[start]);
    bool decimals = false;
    int fits = 0;
    for (int i = start; i < count; ++i) {
        if (!IsCoordinateTextLine(lines[i], separator))
            continue;
        ++fits;
        const auto commas = std::count(lines[i].begin(), lines[i].end(), ',');
        decimals = decimals || lines[i].find('.') != std::string_view::npos || commas < 4;
    }
    return fits > 0 && fits * 3 >= (count - start) * 2 && (separator != ',' || decimals);
}

SourceFormat RecogniseOthers(std::string_view bytes) {
    std::string_view lines[kLinesLooked];
    int count = 0;
    ForEachTextLine(bytes.substr(0, 64 * 1024), [&](long long, std::string_view line) {
        const size_t start = line.find_first_not_of(" \t");
        if (start != std::string_view::npos && count < kLinesLooked)
            lines[count++] = line.substr(start);
    });
    if (count == 0)
        return SourceFormat::Own;
    if (count < kLinesLooked && bytes.size() > 64 * 1024)
        --count;  // the last line may be cut at the 64 KiB mark
    const std::string_view first = lines[0];
    const SourceFormat gsi = GsiKind(first);
    if (gsi != SourceFormat::Own)
        return gsi;
    if (StartsWith(first, "00NM"))
        return SourceFormat::Sdr;
    for (int i = 0; i < count; ++i) {
        if (IsRw5Line(lines[i]))
            return SourceFormat::Rw5;
    }
    if (IsNikonLine(first))
        return SourceFormat::NikonRaw;
    if (IsJobLine(first) && (count == 1 || IsJobLine(lines[1])))
        return SourceFormat::Job;
    if (count > 0 && IsCoordinateText(lines, count))
        return SourceFormat::Text;
    return SourceFormat::Own;
}

}  // namespace

const char* SourceFormatName(SourceFormat format) {
    for (const FormatRow& row : kFormats) {
        if (row.format == format)
            return row.name;
    }
    return "";
}

const char* SourceFormatCaption(SourceFormat format) {
    for (const FormatRow& row : kFormats) {
        if (row.format == format)
            return row.caption;
    }
    return "";
}

bool ParseSourceFormat(std::string_view name, SourceFormat& format) {
    for (const FormatRow& row : kFormats) {
        if (name == row.name) {
            format = row.format;
            return true;
        }
    }
    return false;
}

const SourceFormat* ChoosableFormats(size_t& count) {
    static const SourceFormat kList[] = {
        SourceFormat::Auto,     SourceFormat::Gsi8, SourceFormat::Gsi16, SourceFormat::Sdr,
        SourceFormat::NikonRaw, SourceFormat::Job,  SourceFormat::Rw5,   SourceFormat::Text};
    count = sizeof(kList) / sizeof(kList[0]);
    return kList;
}

SourceFormat RecogniseSourceFormat(std::string_view bytes) {
    // The instrument's own classification goes first; it only needs asking
    // when the start of the text looks like another maker's file.
    const SourceFormat other = RecogniseOthers(bytes);
    if (other == SourceFormat::Own ||
        ClassifyDownloadedBytes(std::string(bytes)) != DownloadKind::None)
        return SourceFormat::Own;
    return other;
}

std::string ClassifyWord(const std::string& bytes) {
    const DownloadKind kind = ClassifyDownloadedBytes(bytes);
    if (kind != DownloadKind::None)
        return DownloadKindWord(kind);
    const SourceFormat other = RecogniseOthers(bytes);
    return other == SourceFormat::Own ? "none" : SourceFormatName(other);
}

SourceFormat ResolveFormat(std::string_view bytes, SourceFormat format) {
    return format == SourceFormat::Auto ? RecogniseSourceFormat(bytes) : format;
}

SurveyTexts ReadOtherMakersFile(std::string_view bytes, SourceFormat format) {
    SurveyRecords records;
    switch (format) {
        case SourceFormat::Gsi8:
        case SourceFormat::Gsi16:
            ReadGsiFile(bytes, records);
            break;
        case SourceFormat::Sdr:
            ReadSdrFile(bytes, records);
            break;
        case SourceFormat::NikonRaw:
            ReadNikonRawFile(bytes, records);
            break;
        case SourceFormat::Job:
            ReadJobFile(bytes, records);
            break;
        case SourceFormat::Rw5:
            ReadRw5File(bytes, records);
            break;
        case SourceFormat::Text:
            ReadCoordinateText(bytes, records);
            break;
        case SourceFormat::Auto:
        case SourceFormat::Own:
            break;
    }
    return records.TakeTexts();
}

}  // namespace vm
