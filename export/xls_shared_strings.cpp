#include "export/xls_shared_strings.h"

#include <algorithm>

namespace vm {
namespace {

constexpr uint16_t kSst = 0x00FC;
constexpr uint16_t kContinue = 0x003C;

bool FitsOneByte(std::u16string_view text) {
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

    void String(std::u16string_view text) {
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

    void AppendChars(std::u16string_view text, size_t from, size_t count, bool wide) {
        const size_t at = m_data.size();
        m_data.resize(at + count * (wide ? 2 : 1));
        char* out = &m_data[at];
        for (size_t i = from; i < from + count; ++i) {
            *out++ = static_cast<char>(text[i] & 0xFF);
            if (wide)
                *out++ = static_cast<char>(text[i] >> 8);
        }
    }

    BiffStream& m_out;
    std::string m_data;
    bool m_first = true;
};

}  // namespace

XlsSharedStrings::XlsSharedStrings() : m_starts{0} {
    Rehash(64);
}

// The table is kept at most three quarters full, so that a probe seldom passes
// more than a few slots.
bool XlsSharedStrings::RoomFor(size_t strings, size_t slots) {
    return 4 * strings <= 3 * slots;
}

void XlsSharedStrings::Reserve(size_t cells, size_t characters) {
    size_t slots = m_slots.size();
    while (!RoomFor(UniqueCount() + cells, slots))
        slots *= 2;
    if (slots != m_slots.size())
        Rehash(slots);
    m_starts.reserve(UniqueCount() + cells + 1);
    m_pool.reserve(m_pool.size() + characters);
}

void XlsSharedStrings::Rehash(size_t slots) {
    m_slots.assign(slots, kEmptySlot);
    for (size_t i = 0; i < UniqueCount(); ++i)
        m_slots[SlotOf(At(i))] = static_cast<uint32_t>(i);
}

size_t XlsSharedStrings::SlotOf(std::u16string_view text) const {
    uint64_t hash = 0xCBF29CE484222325ull ^ text.size();
    for (char16_t c : text)
        hash = (hash ^ c) * 0x100000001B3ull;
    hash ^= hash >> 29;
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = static_cast<size_t>(hash) & mask;; slot = (slot + 1) & mask) {
        const uint32_t index = m_slots[slot];
        if (index == kEmptySlot || At(index) == text)
            return slot;
    }
}

uint32_t XlsSharedStrings::Add(std::u16string_view text) {
    ++m_nUses;
    const size_t slot = SlotOf(text);
    if (m_slots[slot] != kEmptySlot)
        return m_slots[slot];
    const uint32_t index = static_cast<uint32_t>(UniqueCount());
    m_pool.append(text);
    m_starts.push_back(m_pool.size());
    m_slots[slot] = index;
    if (!RoomFor(UniqueCount(), m_slots.size()))
        Rehash(2 * m_slots.size());
    return index;
}

void XlsSharedStrings::Write(BiffStream& out) const {
    SstRecords records(out);
    records.Header(m_nUses, static_cast<uint32_t>(UniqueCount()));
    for (size_t i = 0; i < UniqueCount(); ++i)
        records.String(At(i));
    records.Flush();
}

}  // namespace vm
