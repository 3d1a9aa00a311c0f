#include "export/xlsx_package.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "common/code_page.h"
#include "export/column_widths.h"
#include "export/zip_archive.h"

namespace vm {
namespace {

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelNs = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kDocRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kTypeNs = "http://schemas.openxmlformats.org/package/2006/content-types";
constexpr const char* kOfficeType = "application/vnd.openxmlformats-officedocument.spreadsheetml.";

// Cell formats of styles.xml: 1 text ("@"), 2 numbers ("0.000").
constexpr int kTextStyle = 1;
constexpr int kNumberStyle = 2;

std::string ColumnName(size_t column) {
    std::string name;
    for (size_t n = column + 1; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

void AppendNumber(std::string& out, double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    out.append(text, end);
}

void AppendWidth(std::string& out, double width) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", width);
    out.append(text);
}

std::string ContentTypes(size_t sheetCount) {
    std::string x = kXmlHead;
    x += std::string("<Types xmlns=\"") + kTypeNs + "\">";
    x += "<Default Extension=\"rels\" ContentType=\"application/"
         "vnd.openxmlformats-package.relationships+xml\"/>";
    x += "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";
    x += std::string("<Override PartName=\"/xl/workbook.xml\" ContentType=\"") + kOfficeType +
         "sheet.main+xml\"/>";
    x += std::string("<Override PartName=\"/xl/styles.xml\" ContentType=\"") + kOfficeType +
         "styles+xml\"/>";
    for (size_t i = 1; i <= sheetCount; ++i) {
        x += "<Override PartName=\"/xl/worksheets/sheet" + std::to_string(i) +
             ".xml\" ContentType=\"" + kOfficeType + "worksheet+xml\"/>";
    }
    return x + "</Types>";
}

std::string PackageRels() {
    return std::string(kXmlHead) + "<Relationships xmlns=\"" + kRelNs +
           "\"><Relationship Id=\"rId1\" Type=\"" + kDocRel +
           "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
}

std::string Workbook(const std::vector<XlsSheet>& sheets) {
    std::string x = kXmlHead;
    x += std::string("<workbook xmlns=\"") + kMainNs + "\" xmlns:r=\"" + kDocRel + "\"><sheets>";
    for (size_t i = 1; i <= sheets.size(); ++i) {
        x += "<sheet name=\"";
        AppendXlsxText(x, CellTextUtf8(sheets[i - 1].name));
        x += "\" sheetId=\"" + std::to_string(i) + "\" r:id=\"rId" + std::to_string(i) + "\"/>";
    }
    return x + "</sheets></workbook>";
}

std::string WorkbookRels(size_t sheetCount) {
    std::string x = std::string(kXmlHead) + "<Relationships xmlns=\"" + kRelNs + "\">";
    for (size_t i = 1; i <= sheetCount; ++i) {
        x += "<Relationship Id=\"rId" + std::to_string(i) + "\" Type=\"" + kDocRel +
             "/worksheet\" Target=\"worksheets/sheet" + std::to_string(i) + ".xml\"/>";
    }
    x += "<Relationship Id=\"rId" + std::to_string(sheetCount + 1) + "\" Type=\"" + kDocRel +
         "/styles\" Target=\"styles.xml\"/>";
    return x + "</Relationships>";
}

std::string Styles() {
    return std::string(kXmlHead) + "<styleSheet xmlns=\"" + kMainNs +
           "\"><numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.000\"/></numFmts>"
           "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/>"
           "</font></fonts><fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border>"
           "</borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
           "borderId=\"0\"/></cellStyleXfs><cellXfs count=\"3\">"
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
           "<xf numFmtId=\"49\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
           "applyNumberFormat=\"1\"/>"
           "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
           "applyNumberFormat=\"1\"/></cellXfs><cellStyles count=\"1\"><cellStyle "
           "name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles></styleSheet>";
}

void AppendColumns(std::string& x, const XlsSheet& sheet) {
    const std::vector<size_t> widths = SheetColumnWidths(sheet);
    if (widths.empty())
        return;
    x += "<cols>";
    for (size_t c = 0; c < widths.size(); ++c) {
        const std::string n = std::to_string(c + 1);
        x += "<col min=\"" + n + "\" max=\"" + n + "\" width=\"";
        AppendWidth(x, XlsxStoredWidth(FittedColumnWidth(widths[c]) / 256.0));
        x += "\" customWidth=\"1\"/>";
    }
    x += "</cols>";
}

void AppendCell(std::string& x, const XlsSheet& sheet, size_t r, size_t c) {
    const std::string& text = (*sheet.rows[r])[c];
    x += "<c r=\"" + ColumnName(c) + std::to_string(r + 1) + "\" s=\"";
    double value = 0;
    if (IsNumberColumnCell(sheet, r, c) && ReadCellNumber(text, value)) {
        x += std::to_string(kNumberStyle) + "\"><v>";
        AppendNumber(x, value);
        x += "</v></c>";
    } else if (text.empty()) {
        x += std::to_string(kTextStyle) + "\"/>";
    } else {
        x += std::to_string(kTextStyle) + "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">";
        AppendXlsxText(x, CellTextUtf8(text));
        x += "</t></is></c>";
    }
}

std::string Worksheet(const XlsSheet& sheet) {
    std::string x = std::string(kXmlHead) + "<worksheet xmlns=\"" + kMainNs + "\">";
    AppendColumns(x, sheet);
    x += "<sheetData>";
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        if (sheet.rows[r]->empty())
            continue;
        x += "<row r=\"" + std::to_string(r + 1) + "\">";
        for (size_t c = 0; c < sheet.rows[r]->size(); ++c)
            AppendCell(x, sheet, r, c);
        x += "</row>";
    }
    return x + "</sheetData></worksheet>";
}

}  // namespace

void AppendXlsxText(std::string& out, std::string_view utf8) {
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char ch = utf8[i];
        const auto byte = static_cast<unsigned char>(ch);
        // "_xHHHH_" in the text itself would be read back as an escape: escape its "_".
        const bool escapeLike =
            ch == '_' && i + 6 < utf8.size() && utf8[i + 1] == 'x' && utf8[i + 6] == '_' &&
            std::all_of(utf8.begin() + i + 2, utf8.begin() + i + 6,
                        [](char h) { return std::isxdigit(static_cast<unsigned char>(h)); });
        if (ch == '&')
            out += "&amp;";
        else if (ch == '<')
            out += "&lt;";
        else if (ch == '>')
            out += "&gt;";
        else if (ch == '"')
            out += "&quot;";
        else if (escapeLike)
            out += "_x005F_";
        else if ((byte < 0x20 && ch != '\t' && ch != '\n') || byte == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "_x%04X_", byte);
            out += code;
        } else
            out += ch;
    }
}

double XlsxStoredWidth(double characters) {
    // Calibri 11: a digit is 7 pixels wide and a cell has 5 pixels of padding;
    // the file keeps whole pixels in 1/256 of a digit.
    constexpr double kDigit = 7.0;
    constexpr double kPadding = 5.0;
    if (characters <= 0)
        return 0;
    const double pixels = characters < 1 ? static_cast<int>(characters * (kDigit + kPadding) + 0.5)
                                         : static_cast<int>(characters * kDigit + 0.5) + kPadding;
    return static_cast<int>(pixels / kDigit * 256.0) / 256.0;
}

bool BuildXlsxPackage(const std::vector<XlsSheet>& sheets, std::string& bytes,
                      std::string& problem) {
    ZipArchive zip;
    bool fits = zip.Add("[Content_Types].xml", ContentTypes(sheets.size())) &&
                zip.Add("_rels/.rels", PackageRels()) &&
                zip.Add("xl/workbook.xml", Workbook(sheets)) &&
                zip.Add("xl/_rels/workbook.xml.rels", WorkbookRels(sheets.size())) &&
                zip.Add("xl/styles.xml", Styles());
    for (size_t i = 0; fits && i < sheets.size(); ++i) {
        fits =
            zip.Add("xl/worksheets/sheet" + std::to_string(i + 1) + ".xml", Worksheet(sheets[i]));
    }
    if (!fits) {
        problem = "工作簿太大（超过 4 GB）";
        return false;
    }
    bytes = zip.Finish();
    return true;
}

}  // namespace vm
