#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/draw.h"

namespace zentrix {

// The export line of a draw (without the line end): number;"date";n1;...;n8;extra, UTF-8.
std::string DrawCsvLine(const TDraw& draw);
// The whole archive as the file holds it: Windows-1251, every line ended by CR LF.
std::string DrawsCsvBytes(const TDrawsArray& draws);

// A line cut into fields as a delimited-text reader with ";" and the double quote does it: a
// blank also ends an unquoted field, and a ";" at the very end adds an empty last field.
std::vector<std::string> SplitCsvFields(std::string_view line);

struct TCsvImport {
    // The draws to append, in file order, numbered as they will stand.
    TDrawsArray draws;
    // Lines of 10 or 11 fields whose numbers no draw can have (out of 1..20, repeated, or an
    // extra number above 4): appending them would make the archive read back as damaged.
    int unsoundLines = 0;
};
// The draws of a file (Windows-1251, or UTF-8 when it is valid UTF-8) that `archive` does not
// hold yet; a 10-field line gets the number after the archive's length, counting the draws
// appended before it.
TCsvImport ParseDrawsCsv(std::string_view bytes, const TDrawsArray& archive);

}  // namespace zentrix
