#pragma once
// The statements a spreadsheet writer sends to an Excel ODBC driver, kept as
// plain text builders for platforms that have such a driver. The native
// workbook writer needs none of them. Values and names go in as they are:
// nothing is escaped, so an apostrophe in a value breaks its INSERT.

#include <string>
#include <vector>

namespace vm {

// The first driver whose name contains "Excel" in an installer's driver list
// (zero-terminated names ended by an empty name); "" when there is none.
std::string ExcelDriverFromList(const std::string& list);

// "DRIVER={driver};DSN='';FIRSTROWHASNAMES=1;READONLY=FALSE;CREATE_DB="path";DBQ=path"
std::string ExcelConnectString(const std::string& driver, const std::string& path);

// "SELECT * FROM [sheet$A1:IV65536]"
std::string SelectSheetStatement(const std::string& sheet);

// "DROP TABLE [sheet$A1:IV65536]"
std::string DropSheetStatement(const std::string& sheet);

// "CREATE TABLE [sheet] ([A] char(255), ...)" for a new sheet, with the range
// "[sheet$A1:IV65536]" when the sheet already had a header row.
std::string CreateSheetStatement(const std::string& sheet, const std::vector<std::string>& headers,
                                 bool hadHeader);

// "INSERT INTO [sheet$A1:IVn] ([A], ...) VALUES ('a', ...)" for the n-th data row.
std::string InsertRowStatement(const std::string& sheet, int n,
                               const std::vector<std::string>& headers,
                               const std::vector<std::string>& values);

}  // namespace vm
