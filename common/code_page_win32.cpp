// The code-page conversions through the Windows code pages: GB18030 (54936)
// to read, GBK (936) to write. Text goes through in runs of whole characters;
// a run the system refuses is taken again character by character, so exactly
// the characters it cannot convert are replaced, as on every other build.
#include "common/code_page.h"
#include "common/code_page_replacement.h"

#include <algorithm>
#include <windows.h>

#include "common/wide_text_win32.h"

namespace vm {
namespace {

constexpr UINT kGb18030 = 54936;
constexpr UINT kGbk = 936;

UINT ReadingCodePage() {
    static const UINT codePage = ::IsValidCodePage(kGb18030) ? kGb18030 : kGbk;
    return codePage;
}

// The length of the GB18030 character that starts at bytes[i], 0 when none can.
size_t GbSequenceLength(std::string_view bytes, size_t i) {
    const auto at = [&](size_t k) {
        return i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0u;
    };
    const unsigned lead = at(0);
    if (lead < 0x80)
        return 1;
    if (lead == 0x80 || lead == 0xFF)
        return 0;
    const unsigned second = at(1);
    if (second >= 0x30 && second <= 0x39)
        return at(2) >= 0x81 && at(2) <= 0xFE && at(3) >= 0x30 && at(3) <= 0x39 ? 4 : 0;
    return second >= 0x40 && second <= 0xFE && second != 0x7F ? 2 : 0;
}

// The length of the whole UTF-8 character at bytes[i], 0 when it is not one.
size_t Utf8CharacterLength(std::string_view bytes, size_t i) {
    const size_t length = Utf8SequenceLength(static_cast<unsigned char>(bytes[i]));
    if (length == 0 || i + length > bytes.size() || !IsValidUtf8(bytes.substr(i, length)))
        return 0;
    return length;
}

bool ToWide(UINT codePage, std::string_view bytes, std::wstring& wide) {
    const int size = static_cast<int>(bytes.size());
    const int n =
        ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (n <= 0)
        return false;
    wide.resize(static_cast<size_t>(n));
    return ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(),
                                 n) == n;
}

// Appends bytes (whole GB18030 characters) as UTF-8; false when refused.
bool AppendFromGbk(std::string_view bytes, std::string& out) {
    std::wstring wide;
    if (!ToWide(ReadingCodePage(), bytes, wide))
        return false;
    out += win32::Utf8FromWide(wide);
    return true;
}

// Appends utf8 (whole, valid characters) as GBK; false when some character
// has no GBK form.
bool AppendToGbk(std::string_view utf8, std::string& out) {
    std::wstring wide;
    if (!ToWide(CP_UTF8, utf8, wide))
        return false;
    const int size = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int n = ::WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0,
                                        nullptr, &usedDefault);
    if (n <= 0 || usedDefault)
        return false;
    const size_t old = out.size();
    out.resize(old + static_cast<size_t>(n));
    ::WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), size, &out[old], n, nullptr,
                          nullptr);
    return true;
}

// Appends utf8 (whole, valid characters) as GB18030, which holds them all.
bool AppendToGb18030(std::string_view utf8, std::string& out) {
    if (ReadingCodePage() != kGb18030)
        return AppendToGbk(utf8, out);
    std::wstring wide;
    if (!ToWide(CP_UTF8, utf8, wide))
        return false;
    const int size = static_cast<int>(wide.size());
    const int n =
        ::WideCharToMultiByte(kGb18030, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return false;
    const size_t old = out.size();
    out.resize(old + static_cast<size_t>(n));
    ::WideCharToMultiByte(kGb18030, 0, wide.data(), size, &out[old], n, nullptr, nullptr);
    return true;
}

// Walks bytes in runs of whole characters (lengthAt gives 0 where none starts)
// and hands each run to append; a refused run, or a byte that starts no
// character, goes to onBad, which appends its replacement and returns how
// many bytes it covers.
template <typename LengthAt, typename Append, typename OnBad>
void Convert(std::string_view bytes, std::string& out, LengthAt lengthAt, Append append,
             OnBad onBad) {
    for (size_t i = 0; i < bytes.size();) {
        size_t end = i;
        for (size_t length; end < bytes.size() && (length = lengthAt(bytes, end)) > 0;)
            end += length;
        if (end > i && !append(bytes.substr(i, end - i), out)) {
            // Character by character: only the ones refused are replaced.
            for (size_t k = i; k < end;) {
                const size_t length = lengthAt(bytes, k);
                const bool done = length > 0 && append(bytes.substr(k, length), out);
                k += done ? length : onBad(bytes.substr(k), out);
                end = std::max(end, k);
            }
        }
        i = end;
        if (i < bytes.size())
            i += onBad(bytes.substr(i), out);
    }
}

// Converts the start of bytes up to the first character refused.
template <typename LengthAt, typename Append>
size_t ConvertPrefix(std::string_view bytes, std::string& out, LengthAt lengthAt, Append append) {
    size_t used = bytes.size();
    Convert(bytes, out, lengthAt, append, [&](std::string_view rest, std::string&) {
        used = bytes.size() - rest.size();
        return rest.size();
    });
    return used;
}

}  // namespace

size_t Gb18030PrefixToUtf8(std::string_view bytes, std::string& out) {
    return ConvertPrefix(bytes, out, GbSequenceLength, AppendFromGbk);
}

size_t Utf8PrefixToGb18030(std::string_view utf8, std::string& out) {
    return ConvertPrefix(utf8, out, Utf8CharacterLength, AppendToGb18030);
}

std::string GbkToUtf8(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() + gbk.size() / 2);
    if (IsAscii(gbk)) {
        out.assign(gbk);
        return out;
    }
    Convert(gbk, out, GbSequenceLength, AppendFromGbk, ReplaceGbkByte);
    return out;
}

std::string Utf8ToGbk(std::string_view utf8, size_t* replaced) {
    std::string out;
    out.reserve(utf8.size());
    size_t count = 0;
    if (IsAscii(utf8)) {
        out.assign(utf8);
    } else {
        Convert(utf8, out, Utf8CharacterLength, AppendToGbk,
                [&count](std::string_view rest, std::string& o) {
                    ++count;
                    return ReplaceUtf8Character(rest, o);
                });
    }
    if (replaced)
        *replaced += count;
    return out;
}

bool CodePageConvertersAvailable() {
    return ::IsValidCodePage(kGbk) != 0;
}

}  // namespace vm
