// The workbook format pieces: cell text decoding, the shared string table's
// record splitting, sheet layout and limits, the row index, the container.
#include <gtest/gtest.h>

#include <cstdint>

#include "export/biff_stream.h"
#include "export/compound_file.h"
#include "export/xls_shared_strings.h"
#include "export/xls_text.h"
#include "export/xls_workbook.h"

namespace vm {
namespace {

struct Record {
    uint16_t id;
    size_t position;
    std::string data;
};

uint32_t U32At(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(s[at + i]);
    return v;
}
uint16_t U16At(const std::string& s, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(s[at]) |
                                 (static_cast<unsigned char>(s[at + 1]) << 8));
}

std::vector<Record> Records(const std::string& stream) {
    std::vector<Record> out;
    for (size_t at = 0; at + 4 <= stream.size();) {
        const uint16_t size = U16At(stream, at + 2);
        out.push_back({U16At(stream, at), at, stream.substr(at + 4, size)});
        at += 4 + size;
    }
    return out;
}

// Reads a shared string table back across its records, counting continuations
// that begin in the middle of a surrogate pair.
std::vector<std::u16string> ReadBack(const std::vector<Record>& records, size_t count,
                                     int& splitPairs) {
    std::vector<std::u16string> out;
    size_t k = 0, at = 8;
    for (size_t n = 0; n < count; ++n) {
        if (at == records[k].data.size())
            ++k, at = 0;
        const std::string* d = &records[k].data;
        size_t left = U16At(*d, at);
        bool wide = (*d)[at + 2] & 1;
        at += 3;
        std::u16string text;
        while (left > 0) {
            if (at == d->size()) {
                d = &records[++k].data;
                wide = (*d)[0] & 1;
                at = 1;
                if (wide && U16At(*d, 1) >= 0xDC00 && U16At(*d, 1) <= 0xDFFF)
                    ++splitPairs;
            }
            text.push_back(wide ? U16At(*d, at) : static_cast<unsigned char>((*d)[at]));
            at += wide ? 2 : 1;
            --left;
        }
        out.push_back(text);
    }
    return out;
}

TEST(CellText, GbkAndUtf8DecodeToUtf16) {
    CellDecoder gbk(CellEncoding::Gbk);
    EXPECT_EQ(gbk.Decode("\xD6\xD0\xCE\xC4 A"), u"中文 A");
    EXPECT_EQ(gbk.Decode("a\x80z"), u"a€z");
    EXPECT_EQ(gbk.Decode("a\xFFz\xD6"), u"a\uFFFDz\uFFFD") << "bad bytes do not swallow the rest";
    CellDecoder utf8(CellEncoding::Utf8);
    EXPECT_EQ(utf8.Decode("中文"), u"中文");
    EXPECT_TRUE(IsValidUtf8("中文 ok"));
    EXPECT_FALSE(IsValidUtf8("\xD6\xD0\xCE\xC4"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));  // overlong
}

// The character data of each SST/CONTINUE record, with the option byte that
// begins a continuation.
TEST(SharedStrings, LongStringsContinueWithRepeatedOptionByteAndWholeCharacters) {
    XlsSharedStrings strings;
    const std::u16string wide(5001, u'中');  // runs over one record; odd length shifts the pairs
    std::u16string pairs;
    for (int i = 0; i < 3000; ++i)
        pairs += u"\U0001F600";  // surrogate pairs
    const std::u16string narrow(9000, u'x');
    EXPECT_EQ(strings.Add(wide), 0u);
    EXPECT_EQ(strings.Add(pairs), 1u);
    EXPECT_EQ(strings.Add(wide), 0u) << "a repeated text is stored once";
    strings.Add(narrow);
    BiffStream s;
    strings.Write(s);
    const std::vector<Record> records = Records(s.Bytes());
    ASSERT_GE(records.size(), 4u);
    EXPECT_EQ(records[0].id, 0x00FC);
    EXPECT_EQ(U32At(records[0].data, 0), 4u);  // uses
    EXPECT_EQ(U32At(records[0].data, 4), 3u);  // distinct strings
    EXPECT_EQ(U16At(records[0].data, 8), 5001);
    EXPECT_EQ(records[0].data[10], 1) << "wide characters";
    for (size_t i = 1; i < records.size(); ++i) {
        EXPECT_EQ(records[i].id, 0x003C);
        EXPECT_LE(records[i].data.size(), kBiffMaxRecordData);
    }
    // The first record is full up to a whole character; the next begins with the option byte.
    EXPECT_EQ(records[0].data.size() % 2, 1u);  // 8 + 3 header bytes + whole 2-byte characters
    EXPECT_EQ(records[1].data[0], 1);
    int splitPairs = 0;
    EXPECT_EQ(ReadBack(records, 3, splitPairs), (std::vector<std::u16string>{wide, pairs, narrow}));
    EXPECT_EQ(splitPairs, 0);
}

// Splitting long tables over sheets is read back by the independent reader in tests/scripts.
TEST(SheetLayout, RefusesWhatTheFormatCannotHold) {
    const XlsRow wideRow(257, "x");
    const XlsRow longCell{std::string(kXlsMaxCellChars + 1, 'x')};
    const XlsRow chineseCell{
        std::string(2 * kXlsMaxCellChars, '\xB0')};  // fits: 2 bytes a character
    EXPECT_NE(CheckSheets({{"S", {&wideRow}, {}}}), "");
    EXPECT_NE(CheckSheets({{"S", {&longCell}, {}}}), "");
    EXPECT_EQ(CheckSheets({{"S", {&chineseCell}, {}}}), "");
    EXPECT_NE(CheckSheets({{"a/b", {}, {}}}), "");
    EXPECT_NE(CheckSheets({{std::string(32, 'n'), {}, {}}}), "");
    EXPECT_NE(CheckSheets({{"S", {}, {}}, {"s", {}, {}}}), "") << "sheet names differ beyond case";
}

// Each DBCELL names the first ROW record of its block and where each row's cells start.
TEST(WorkbookStream, RowIndexPointsAtRowsAndCells) {
    std::vector<XlsRow> table(40, XlsRow{"a", "", "c"});
    std::vector<XlsSheet> sheets = LayOutOnSheets("S", table);
    const std::string stream = BuildWorkbookStream(sheets);
    const std::vector<Record> records = Records(stream);
    std::vector<size_t> dbCells;
    size_t sheetBof = 0;
    for (const Record& r : records) {
        if (r.id == 0x0085)
            sheetBof = U32At(r.data, 0);
        if (r.id == 0x020B) {
            EXPECT_EQ(U32At(r.data, 8), 40u);  // rows end
            for (size_t at = 16; at < r.data.size(); at += 4)
                dbCells.push_back(U32At(r.data, at));
        }
    }
    EXPECT_EQ(U16At(stream, sheetBof), 0x0809);
    EXPECT_EQ(U16At(stream, sheetBof + 20), 0x020B) << "INDEX right after the sheet's BOF";
    ASSERT_EQ(dbCells.size(), 2u);
    for (size_t db : dbCells) {
        ASSERT_EQ(U16At(stream, db), 0x00D7);
        const size_t firstRow = db - U32At(stream, db + 4);
        EXPECT_EQ(U16At(stream, firstRow), 0x0208);
        size_t cell = firstRow + 20 + U16At(stream, db + 8);
        const size_t rowsInBlock = (U16At(stream, db + 2) - 4) / 2;
        for (size_t i = 0; i < rowsInBlock; ++i) {
            if (i > 0)
                cell += U16At(stream, db + 8 + 2 * i);
            EXPECT_EQ(U16At(stream, cell), 0x00FD);  // text cell in column A
            EXPECT_EQ(U16At(stream, cell + 4), U16At(stream, firstRow + 4 + 20 * i));  // its row
        }
    }
}

// Small containers are read back by the independent reader in tests/scripts.
TEST(CompoundFile, LargeStreamsGetExtraFatIndexSectors) {
    // 8 MB of stream needs more FAT sectors than the header's 109 slots name.
    const std::string big = BuildCompoundFile(std::string(8 * 1024 * 1024, 'x'));
    const uint32_t fatSectors = U32At(big, 44);
    EXPECT_GT(fatSectors, 109u);
    EXPECT_EQ(U32At(big, 72), 1u);
    const size_t difat = 512 * (1 + static_cast<size_t>(U32At(big, 68)));
    EXPECT_EQ(U32At(big, difat), U32At(big, 76 + 4 * 108) + 1) << "the 110th FAT sector";
    EXPECT_EQ(U32At(big, difat + 4 * 127), 0xFFFFFFFEu);
    EXPECT_EQ(big.size() % 512, 0u);
}

}  // namespace
}  // namespace vm
