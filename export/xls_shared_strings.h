#pragma once
// The workbook's shared string table: every text cell names its string by
// index, and each distinct string is stored once. The strings lie end to end
// in one pool; an open-addressing table of their indexes finds a repeated
// text. Reserve sizes that table for the cells to come, so that a large sheet
// adds its strings without ever rebuilding it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "export/biff_stream.h"

namespace vm {

class XlsSharedStrings {
public:
    XlsSharedStrings();

    // Room for this many more cells' strings holding up to this many UTF-16
    // characters in all (bounds: repeats take no room).
    void Reserve(size_t cells, size_t characters);

    // The index of text, adding it when new; every call counts as one use.
    uint32_t Add(std::u16string_view text) { return Add(text, Hash(text)); }

    // The same in two steps, for a caller with several texts at hand: Fetch
    // each text's slot first, then Add them, so that the slots come from
    // memory side by side instead of one after another.
    static uint32_t Hash(std::u16string_view text);
    void Fetch(uint32_t hash) const {
#if defined(__GNUC__)
        __builtin_prefetch(&m_slots[hash & (m_slots.size() - 1)]);
#endif
    }
    uint32_t Add(std::u16string_view text, uint32_t hash);

    uint32_t TotalUses() const {
        return m_nUses;
    }
    size_t UniqueCount() const {
        return m_starts.size() - 1;
    }
    std::u16string_view At(size_t index) const {
        return std::u16string_view(m_pool.data() + m_starts[index],
                                   m_starts[index + 1] - m_starts[index]);
    }

    // Appends the table as one SST record and as many CONTINUE records as the
    // strings need. A string's 3-byte header never splits; when its characters
    // run over a record's end they go on in the next record behind a repeated
    // option byte, never cutting a character (or a surrogate pair) in two.
    void Write(BiffStream& out) const;

private:
    static constexpr uint64_t kEmptySlot = UINT64_MAX;

    static bool RoomFor(size_t strings, size_t slots);
    static uint64_t Slot(uint32_t hash, uint32_t index) {
        return uint64_t{hash} << 32 | index;
    }
    static uint32_t IndexOf(uint64_t slot) {
        return static_cast<uint32_t>(slot);
    }
    void Rehash(size_t slots);
    // Where text is, or the free slot for it.
    size_t SlotOf(std::u16string_view text, uint32_t hash) const;

    std::u16string m_pool;
    std::vector<size_t> m_starts;   // string i is m_pool[m_starts[i], m_starts[i + 1])
    std::vector<uint64_t> m_slots;  // hash and index of a string; the size a power of two
    uint32_t m_nUses = 0;
};

}  // namespace vm
