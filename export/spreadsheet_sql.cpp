#include "export/spreadsheet_sql.h"

namespace vm {
namespace {

// Drops the final ", " of a list built item by item.
void DropLastTwo(std::string& s) {
    s.erase(s.size() >= 2 ? s.size() - 2 : 0);
}

}  // namespace

std::string ExcelDriverFromList(const std::string& list) {
    size_t start = 0;
    while (start < list.size()) {
        const size_t end = list.find('\0', start);
        const std::string name = list.substr(start, end == std::string::npos ? end : end - start);
        if (name.empty())
            break;
        if (name.find("Excel") != std::string::npos)
            return name;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return std::string();
}

std::string ExcelConnectString(const std::string& driver, const std::string& path) {
    return "DRIVER={" + driver + "};DSN='';FIRSTROWHASNAMES=1;READONLY=FALSE;CREATE_DB=\"" + path +
           "\";DBQ=" + path;
}

std::string SelectSheetStatement(const std::string& sheet) {
    return "SELECT * FROM [" + sheet + "$A1:IV65536]";
}

std::string DropSheetStatement(const std::string& sheet) {
    return "DROP TABLE [" + sheet + "$A1:IV65536]";
}

std::string CreateSheetStatement(const std::string& sheet, const std::vector<std::string>& headers,
                                 bool hadHeader) {
    std::string s =
        hadHeader ? "CREATE TABLE [" + sheet + "$A1:IV65536] (" : "CREATE TABLE [" + sheet + "] (";
    for (const std::string& name : headers)
        s += "[" + name + "] char(255), ";
    DropLastTwo(s);
    return s + ")";
}

std::string InsertRowStatement(const std::string& sheet, int n,
                               const std::vector<std::string>& headers,
                               const std::vector<std::string>& values) {
    std::string s = "INSERT INTO [" + sheet + "$A1:IV" + std::to_string(n) + "] (";
    for (size_t i = 0; i < values.size(); ++i) {
        s += "[" + (i < headers.size() ? headers[i] : std::string()) + "], ";
    }
    DropLastTwo(s);
    s += ") VALUES (";
    for (const std::string& value : values)
        s += "'" + value + "', ";
    DropLastTwo(s);
    return s + ")";
}

}  // namespace vm
