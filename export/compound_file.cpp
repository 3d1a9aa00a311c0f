#include "export/compound_file.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "export/biff_stream.h"

namespace vm {
namespace {

constexpr size_t kSector = 512;
constexpr size_t kIdsPerSector = kSector / 4;
constexpr size_t kHeaderDifat = 109;                // FAT sector numbers kept in the header
constexpr size_t kIdsPerDifat = kIdsPerSector - 1;  // the last one links the next DIFAT sector
constexpr uint32_t kFree = 0xFFFFFFFF;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFatSector = 0xFFFFFFFD;
constexpr uint32_t kDifatSector = 0xFFFFFFFC;
constexpr uint32_t kNoEntry = 0xFFFFFFFF;

size_t SectorsFor(size_t bytes) {
    return (bytes + kSector - 1) / kSector;
}

struct Layout {
    size_t streamSectors = 0;
    size_t dirSector = 0;
    size_t fatSectors = 0;
    size_t difatSectors = 0;
    size_t firstFat() const { return dirSector + 1; }
    size_t firstDifat() const { return firstFat() + fatSectors; }
    size_t total() const { return firstDifat() + difatSectors; }
};

// The FAT must also map its own sectors and the DIFAT's: grow both until they fit.
Layout PlanLayout(size_t streamBytes) {
    Layout l;
    l.streamSectors = SectorsFor(streamBytes);
    l.dirSector = l.streamSectors;
    l.fatSectors = 1;
    for (;;) {
        const size_t needFat = (l.total() + kIdsPerSector - 1) / kIdsPerSector;
        const size_t overflow = needFat > kHeaderDifat ? needFat - kHeaderDifat : 0;
        const size_t needDifat = (overflow + kIdsPerDifat - 1) / kIdsPerDifat;
        if (needFat <= l.fatSectors && needDifat <= l.difatSectors)
            return l;
        l.fatSectors = std::max(l.fatSectors, needFat);
        l.difatSectors = std::max(l.difatSectors, needDifat);
    }
}

std::string Header(const Layout& l) {
    std::string h("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    h.append(16, '\0');  // class id
    for (uint16_t v : {0x003E, 0x0003, 0xFFFE, 0x0009, 0x0006})
        PutU16(h, v);
    h.append(6, '\0');
    PutU32(h, 0);  // directory sectors: always 0 in version 3
    PutU32(h, static_cast<uint32_t>(l.fatSectors));
    PutU32(h, static_cast<uint32_t>(l.dirSector));
    PutU32(h, 0);
    PutU32(h, static_cast<uint32_t>(kMinWorkbookStream));  // small-stream cut-off
    PutU32(h, kEndOfChain);                                // no small-stream FAT
    PutU32(h, 0);
    PutU32(h, l.difatSectors ? static_cast<uint32_t>(l.firstDifat()) : kEndOfChain);
    PutU32(h, static_cast<uint32_t>(l.difatSectors));
    for (size_t i = 0; i < kHeaderDifat; ++i) {
        PutU32(h, i < l.fatSectors ? static_cast<uint32_t>(l.firstFat() + i) : kFree);
    }
    return h;
}

std::string DirectoryEntry(const std::u16string& name, uint8_t type, uint32_t child, uint32_t start,
                           uint32_t size) {
    std::string e;
    for (char16_t c : name)
        PutU16(e, c);
    e.resize(64, '\0');
    PutU16(e, static_cast<uint16_t>(name.empty() ? 0 : (name.size() + 1) * 2));
    PutU8(e, type);
    PutU8(e, 1);  // black
    PutU32(e, kNoEntry);
    PutU32(e, kNoEntry);
    PutU32(e, child);
    e.append(16 + 4 + 8 + 8, '\0');  // class id, state, creation and change times
    PutU32(e, start);
    PutU32(e, size);
    PutU32(e, 0);
    return e;
}

std::string Directory(size_t streamBytes) {
    std::string d = DirectoryEntry(u"Root Entry", 5, 1, kEndOfChain, 0);
    d += DirectoryEntry(u"Workbook", 2, kNoEntry, 0, static_cast<uint32_t>(streamBytes));
    d += DirectoryEntry(u"", 0, kNoEntry, 0, 0);
    d += DirectoryEntry(u"", 0, kNoEntry, 0, 0);
    return d;
}

std::string Fat(const Layout& l) {
    std::vector<uint32_t> fat(l.fatSectors * kIdsPerSector, kFree);
    for (size_t i = 0; i < l.streamSectors; ++i) {
        fat[i] = i + 1 < l.streamSectors ? static_cast<uint32_t>(i + 1) : kEndOfChain;
    }
    fat[l.dirSector] = kEndOfChain;
    for (size_t i = 0; i < l.fatSectors; ++i)
        fat[l.firstFat() + i] = kFatSector;
    for (size_t i = 0; i < l.difatSectors; ++i)
        fat[l.firstDifat() + i] = kDifatSector;
    std::string out;
    for (uint32_t id : fat)
        PutU32(out, id);
    return out;
}

// FAT sector numbers past the header's 109, 127 to a sector, each sector
// ending with the number of the next one.
std::string Difat(const Layout& l) {
    std::string out;
    size_t fat = kHeaderDifat;
    for (size_t s = 0; s < l.difatSectors; ++s) {
        for (size_t i = 0; i < kIdsPerDifat; ++i, ++fat) {
            PutU32(out, fat < l.fatSectors ? static_cast<uint32_t>(l.firstFat() + fat) : kFree);
        }
        const bool last = s + 1 == l.difatSectors;
        PutU32(out, last ? kEndOfChain : static_cast<uint32_t>(l.firstDifat() + s + 1));
    }
    return out;
}

// A stream shorter than the cut-off is padded to it (see kMinWorkbookStream).
size_t StoredSize(size_t streamBytes) {
    return std::max(streamBytes, kMinWorkbookStream);
}

}  // namespace

std::string CompoundFileHead(size_t streamBytes) {
    return Header(PlanLayout(StoredSize(streamBytes)));
}

std::string CompoundFileTail(size_t streamBytes) {
    const size_t stored = StoredSize(streamBytes);
    const Layout l = PlanLayout(stored);
    std::string tail(kSector * l.streamSectors - streamBytes, '\0');
    tail += Directory(stored);
    tail += Fat(l);
    tail += Difat(l);
    return tail;
}

std::string BuildCompoundFile(const std::string& workbookStream) {
    return CompoundFileHead(workbookStream.size()) + workbookStream +
           CompoundFileTail(workbookStream.size());
}

}  // namespace vm
