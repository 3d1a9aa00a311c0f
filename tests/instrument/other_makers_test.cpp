#include <gtest/gtest.h>

#include <string>

#include "common/file_io.h"
#include "instrument/download_kind.h"
#include "instrument/other_makers_source.h"
#include "instrument/source_format.h"
#include "instrument/survey_angle.h"

namespace vm {
namespace {

const std::string kData = VM_SOURCE_DIR "/tests/data/other_makers/";

std::string Read(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
    return bytes;
}

ExactDecimal Decimal(const char* text) {
    ExactDecimal d;
    EXPECT_TRUE(ParseExactDecimal(text, d)) << text;
    return d;
}

// Fields are the file's exact decimals, rounded half to even only where the
// conversions print them, in the sexagesimal system for seconds (a rounded
// 59.5 seconds carries into the minutes); decimal degrees become ddd.mmss.
TEST(OtherMakersFields, anglesAndLengthsKeepTheFilesDecimals) {
    struct Case {
        const char* value;
        AngleUnit unit;
        bool printed;
        const char* field;
    };
    const Case cases[] = {
        {"123.45060", AngleUnit::Dms, true, "1234506"},
        {"123.45060", AngleUnit::Dms, false, "1234506.0"},
        {"123.45065", AngleUnit::Dms, false, "1234506.5"},
        {"123.45065", AngleUnit::Dms, true, "1234506"},  // 6.5 s: half to even
        {"123.45075", AngleUnit::Dms, true, "1234508"},
        {"123.59595", AngleUnit::Dms, true, "1240000"},  // 59.5 s carries into 124°
        {"-12.3", AngleUnit::Dms, true, "-123000"},
        {"45.5", AngleUnit::Degrees, true, "453000"},
        {"0.00001", AngleUnit::Degrees, false, "0.03600"},
        {"137.50005", AngleUnit::Gon, true, "1375000"},
        {"137.50015", AngleUnit::Gon, true, "1375002"},
        {"137.50015", AngleUnit::Gon, false, "1375001.5"},
        {"1600.0005", AngleUnit::Mil, true, "1600000"},
        {"1600.0015", AngleUnit::Mil, true, "1600002"},
    };
    for (const Case& c : cases) {
        std::string field;
        ASSERT_TRUE(AngleField({Decimal(c.value), c.unit}, c.printed, field)) << c.value;
        EXPECT_EQ(field, c.field) << c.value;
    }
    std::string field;
    EXPECT_FALSE(AngleField({Decimal("12.6000"), AngleUnit::Dms}, true, field));  // 60 minutes
    EXPECT_FALSE(AngleField({Decimal("12.0060"), AngleUnit::Dms}, true, field));  // 60 seconds
    // A zenith angle made from a 14-decimal vertical angle has 16 digits: too many.
    EXPECT_FALSE(AngleField({{8999999999999993, 14}, AngleUnit::Degrees}, false, field));

    const std::pair<const char*, const char*> lengths[] = {
        {"51.2345", "51234"},           {"51.2355", "51236"}, {"-0.0005", "0"},
        {"2535789.1235", "2535789124"}, {"7", "7000"},        {"0.00001", "0"},
    };
    for (const auto& [value, printed] : lengths)
        EXPECT_EQ(LengthField(Decimal(value), true), printed) << value;
    EXPECT_EQ(LengthField(Decimal("100.0005"), false), "100000.5");

    ExactDecimal d;
    for (const char* bad : {"", "-", "1.2.3", "1e3", "0x10", "123456789012345", "1,5"})
        EXPECT_FALSE(ParseExactDecimal(bad, d)) << bad;
}

// Recognition (the samples' formats are in the command line's expected
// outputs) keeps the instrument's own files as the classification tells them,
// a file it does not know as none, and takes no format for another.
TEST(OtherMakersRecognition, theInstrumentsOwnFilesAndShortTexts) {
    const std::string corpus = VM_SOURCE_DIR "/tests/fuzz/corpus/";
    for (const char* own : {"records/measurement.txt", "records/coordinate.txt",
                            "records/lf_only.txt", "meas_convert/mils.txt", "meas_convert/mil.txt",
                            "coord_convert/layout4.txt", "dxf/measurement.txt"}) {
        const std::string bytes = Read(corpus + own);
        EXPECT_EQ(ClassifyWord(bytes), DownloadKindWord(ClassifyDownloadedBytes(bytes))) << own;
    }
    const std::pair<const char*, const char*> texts[] = {
        {"P1,1,2,3,\n", "none"},  // the instrument's thousandths, without its header
        {"P1,1234567,2345678,12345,TREE\r\nP2,1,2,3,\r\n", "none"},
        {"P1,1.5,2.5,3.5,TREE\n", "text"},
        {"P1;1;2;3\n", "text"},
        {"P1 1 2 3\n", "text"},
        {"UNITS m,d\nSS P1,1.6,A\n", "none"},
        {"", "none"},
        {"\xEF\xBB\xBF*110001+00000000000000S1 84..06+0000000020000000\r", "gsi16"},
        {"5=P1\r37=1.0\r38=2.0\r", "job"},
    };
    for (const auto& [bytes, name] : texts)
        EXPECT_EQ(ClassifyWord(bytes), name) << bytes;
}

// The same records whatever the line ends and with or without a byte-order
// mark (what each sample reads as is in the command line's expected outputs).
TEST(OtherMakersReaders, lineEndsAndByteOrderMarkChangeNothing) {
    const std::pair<const char*, SourceFormat> cases[] = {
        {"sample.gsi16", SourceFormat::Gsi16}, {"sample.gsi8", SourceFormat::Gsi8},
        {"sample.sdr", SourceFormat::Sdr},     {"sample.raw", SourceFormat::NikonRaw},
        {"sample.job", SourceFormat::Job},     {"sample.rw5", SourceFormat::Rw5},
        {"sample.txt", SourceFormat::Text},
    };
    for (const auto& [file, format] : cases) {
        std::string lf = Read(kData + file);
        lf = lf.find("\r\n") == std::string::npos ? lf : [&] {
            std::string out;
            for (char ch : lf)
                if (ch != '\r')
                    out += ch;
            return out;
        }();
        std::string cr = lf, crlf;
        for (char& ch : cr)
            ch = ch == '\n' ? '\r' : ch;
        for (char ch : lf)
            crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
        const SurveyTexts base = ReadOtherMakersFile(lf, format);
        EXPECT_GT(base.records, 0) << file;
        for (const std::string& variant : {cr, crlf, "\xEF\xBB\xBF" + lf}) {
            const SurveyTexts t = ReadOtherMakersFile(variant, format);
            EXPECT_EQ(t.measurement, base.measurement) << file;
            EXPECT_EQ(t.plainPoints, base.plainPoints) << file;
            EXPECT_EQ(t.skipped, base.skipped) << file;
            EXPECT_EQ(t.firstSkippedLine, base.firstSkippedLine) << file;
        }
    }
}

// Declared units and conventions reach the records: a zenith from the
// horizon, feet and gon, a code given before its point, a code too long for
// the instrument's 99-byte lines cut at a character, half a coordinate refused.
TEST(OtherMakersReaders, unitsAndConventionsReachTheRecords) {
    const auto col = [](const std::string& text, size_t width) {
        return text + std::string(width - text.size(), ' ');
    };
    const std::string sdrHorizon = "00NM" + col("SDR33", 16) + "0000" + col("", 16) +
                                   "1111\n01KI1" + col("", 45) + "2\n09F1" + col("S1", 16) +
                                   col("P1", 16) + col("10.000", 16) + col("30.0000", 16) +
                                   col("12.0000", 16) + "\n";
    const struct {
        SourceFormat format;
        std::string bytes;
        std::string measurement;  // the instrument's records it is read into
    } cases[] = {
        {SourceFormat::Sdr, sdrHorizon, "UNITS m,d\r\nSS P1,,\r\nSD 120000,600000.0000,10000\r\n"},
        {SourceFormat::Rw5, "MO,AD0,UN0,AU1\nSS,OPA,FPP1,AR100.5,ZE100,HD3.5,--X\n",
         "UNITS ft,g\r\nSS P1,,X\r\nHD 1005000,3500,0\r\n"},
        {SourceFormat::NikonRaw, "CO,Angle: Mils\nCO,Dist: US Feet\nSS,P1,1.5,,1600,800,t,C\n",
         "UNITS usft,m\r\nSS P1,1.5,C\r\nHV 1600000,800000\r\n"},
        {SourceFormat::Job, "4=K\n5=P1\n37=1\n38=2\n4=L\n5=P2\n37=3\n38=4\n39=5\n",
         "UNITS m,d\r\nSS P1,,K\r\nXYZ 1000,2000,0\r\nSS P2,,L\r\nXYZ 3000,4000,5000\r\n"},
        {SourceFormat::Text, "P1;1;2;3;" + std::string(40, 'A') + std::string(60, '\xE4') + "\n",
         "UNITS m,d\r\nSS P1,," + std::string(40, 'A') + std::string(50, '\xE4') +
             "\r\nXYZ 1000,2000,3000\r\n"},
        {SourceFormat::Gsi8, "110001+000000P1 81..00+00001000 \n", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadOtherMakersFile(c.bytes, c.format).measurement, c.measurement) << c.bytes;
}

}  // namespace
}  // namespace vm
