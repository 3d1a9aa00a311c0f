#include "export/xls_shared_strings.h"

#include <algorithm>
#include <cstring>

#include "common/memory_pages.h"

namespace vm {
namespace {

constexpr uint16_t kSst = 0x00FC;
constexpr uint16_t kContinue = 0x003C;

bool FitsOneByte(std::u16string_view text) {
    char16_t high = 0;
    for (char16_t c : text)
        high |= c;
    return high < 0x100;
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// Builds the table's records one after another, starting a CONTINUE record
// whenever the current one is full. A stream that only counts gets the
// records' sizes without their bytes.
class SstRecords {
public:
    explicit SstRecords(BiffStream& out) : m_out(out), m_bytes(!out.Counting()) {}

    void Header(uint32_t total, uint32_t unique) {
        U16(static_cast<uint16_t>(total & 0xFFFF));
        U16(static_cast<uint16_t>(total >> 16));
        U16(static_cast<uint16_t>(unique & 0xFFFF));
        U16(static_cast<uint16_t>(unique >> 16));
    }

    void String(std::u16string_view text) {
        const bool wide = !FitsOneByte(text);
        const size_t unit = wide ? 2 : 1;
        const size_t firstChar = text.empty() ? 0 : unit;
        if (Room() < 3 + firstChar)
            Flush();
        U16(static_cast<uint16_t>(text.size()));
        U8(wide ? 1 : 0);
        size_t done = 0;
        while (done < text.size()) {
            size_t count = std::min(Room() / unit, text.size() - done);
            if (count > 0 && done + count < text.size() &&
                IsHighSurrogate(text[done + count - 1])) {
                --count;
            }
            if (count == 0) {
                Flush();
                U8(wide ? 1 : 0);  // a continued string repeats its option byte
                continue;
            }
            AppendChars(text.substr(done, count), wide);
            done += count;
        }
    }

    void Flush() {
        m_out.Record(m_first ? kSst : kContinue, m_data, m_size);
        m_first = false;
        m_size = 0;
    }

private:
    size_t Room() const { return kBiffMaxRecordData - m_size; }

    void U8(uint8_t value) {
        if (m_bytes)
            m_data[m_size] = static_cast<char>(value);
        ++m_size;
    }
    void U16(uint16_t value) {
        U8(static_cast<uint8_t>(value & 0xFF));
        U8(static_cast<uint8_t>(value >> 8));
    }

    void AppendChars(std::u16string_view chars, bool wide) {
        char* out = m_data + m_size;
        m_size += chars.size() * (wide ? 2 : 1);
        if (!m_bytes)
            return;
        if (!wide) {
            for (size_t i = 0; i < chars.size(); ++i)
                out[i] = static_cast<char>(chars[i]);
            return;
        }
        for (size_t i = 0; i < chars.size(); ++i) {
            out[2 * i] = static_cast<char>(chars[i] & 0xFF);
            out[2 * i + 1] = static_cast<char>(chars[i] >> 8);
        }
    }

    BiffStream& m_out;
    const bool m_bytes;  // false: sizes only
    char m_data[kBiffMaxRecordData];
    size_t m_size = 0;
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
    std::vector<uint64_t>().swap(m_slots);
    m_slots.reserve(slots);
    PreferLargePages(m_slots.data(), slots * sizeof(uint64_t));
    m_slots.assign(slots, kEmptySlot);
    for (size_t i = 0; i < UniqueCount(); ++i) {
        const uint32_t hash = Hash(At(i));
        m_slots[SlotOf(At(i), hash)] = Slot(hash, static_cast<uint32_t>(i));
    }
}

// Four characters at a step, then the high bits mixed down: the
// multiplications alone leave the low bits, which pick the slot, weak.
uint32_t XlsSharedStrings::Hash(std::u16string_view text) {
    constexpr uint64_t kMultiplier = 0xFF51AFD7ED558CCDull;
    uint64_t hash = 0xCBF29CE484222325ull ^ text.size();
    size_t i = 0;
    for (; i + 4 <= text.size(); i += 4) {
        uint64_t four = 0;
        std::memcpy(&four, text.data() + i, sizeof four);
        hash = (hash ^ four) * kMultiplier;
        hash ^= hash >> 32;
    }
    for (; i < text.size(); ++i)
        hash = (hash ^ text[i]) * 0x100000001B3ull;
    hash ^= hash >> 33;
    hash *= kMultiplier;
    hash ^= hash >> 33;
    return static_cast<uint32_t>(hash);
}

// Each slot keeps its string's hash beside the index, so that a probe compares
// texts only when the hashes agree and seldom leaves the table.
size_t XlsSharedStrings::SlotOf(std::u16string_view text, uint32_t hash) const {
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const uint64_t entry = m_slots[slot];
        if (entry == kEmptySlot ||
            (static_cast<uint32_t>(entry >> 32) == hash && At(IndexOf(entry)) == text)) {
            return slot;
        }
    }
}

uint32_t XlsSharedStrings::Add(std::u16string_view text, uint32_t hash) {
    ++m_nUses;
    const size_t slot = SlotOf(text, hash);
    if (m_slots[slot] != kEmptySlot)
        return IndexOf(m_slots[slot]);
    const uint32_t index = static_cast<uint32_t>(UniqueCount());
    m_pool.append(text);
    m_starts.push_back(m_pool.size());
    m_slots[slot] = Slot(hash, index);
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
