#include "export/xls_shared_strings.h"

#include <algorithm>

namespace vm {
namespace {

constexpr uint16_t kSst = 0x00FC;
constexpr uint16_t kContinue = 0x003C;

bool FitsOneByte(const std::u16string& text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x100; });
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// Builds the table's records one after another, starting a CONTINUE record
// whenever the current one is full.
class SstRecords {
public:
    explicit SstRecords(BiffStream& out) : m_out(out) {}

    void Header(uint32_t total, uint32_t unique) {
        PutU32(m_data, total);
        PutU32(m_data, unique);
    }

    void String(const std::u16string& text) {
        const bool wide = !FitsOneByte(text);
        const size_t unit = wide ? 2 : 1;
        const size_t firstChar = text.empty() ? 0 : unit;
        if (Room() < 3 + firstChar)
            Flush();
        PutU16(m_data, static_cast<uint16_t>(text.size()));
        PutU8(m_data, wide ? 1 : 0);
        size_t done = 0;
        while (done < text.size()) {
            size_t count = std::min(Room() / unit, text.size() - done);
            if (count > 0 && done + count < text.size() &&
                IsHighSurrogate(text[done + count - 1])) {
                --count;
            }
            if (count == 0) {
                Flush();
                PutU8(m_data, wide ? 1 : 0);  // a continued string repeats its option byte
                continue;
            }
            AppendChars(text, done, count, wide);
            done += count;
        }
    }

    void Flush() {
        m_out.Record(m_first ? kSst : kContinue, m_data);
        m_first = false;
        m_data.clear();
    }

private:
    size_t Room() const { return kBiffMaxRecordData - m_data.size(); }

    void AppendChars(const std::u16string& text, size_t from, size_t count, bool wide) {
        for (size_t i = from; i < from + count; ++i) {
            if (wide) {
                PutU16(m_data, text[i]);
            } else {
                PutU8(m_data, static_cast<uint8_t>(text[i]));
            }
        }
    }

    BiffStream& m_out;
    std::string m_data;
    bool m_first = true;
};

}  // namespace

uint32_t XlsSharedStrings::Add(const std::u16string& text) {
    ++m_nUses;
    const auto found = m_index.find(text);
    if (found != m_index.end())
        return found->second;
    const uint32_t index = static_cast<uint32_t>(m_aStrings.size());
    m_aStrings.push_back(text);
    m_index.emplace(text, index);
    return index;
}

void XlsSharedStrings::Write(BiffStream& out) const {
    SstRecords records(out);
    records.Header(m_nUses, static_cast<uint32_t>(m_aStrings.size()));
    for (const std::u16string& text : m_aStrings)
        records.String(text);
    records.Flush();
}

}  // namespace vm
