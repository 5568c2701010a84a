#pragma once

#include <string>
#include <vector>

namespace zentrix::test {

// One member of a workbook (a zip file), read with the unzip program; empty when missing.
std::string XlsxPart(const std::string& path, const std::string& member);

// The cells of a worksheet's XML as "A1=text" for the inline and shared strings it holds.
std::vector<std::string> SheetCells(const std::string& path);

// The <col> widths of the first worksheet, in column order.
std::vector<std::string> ColumnWidths(const std::string& path);

}  // namespace zentrix::test
