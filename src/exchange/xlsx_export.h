#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/text_table.h"
#include "exchange/export_options.h"

namespace zentrix {

// The writing's progress: a non-empty text names the stage that begins, an empty one is a step.
using TExportStep = std::function<void(const std::string& text)>;

// The steps WriteExportWorkbook reports: 2 x fields + rows + 5.
int ExportStepCount(const TExportOptions& options, size_t rows);

// Writes the table as a one-sheet workbook (.xlsx): the title lines at the top, the checked
// fields' captions as the bordered header row, then the given table rows (indices, in this
// order) under it, with each column's width, alignment and the base font size. The file is
// replaced atomically; a failure raises EZentrix and leaves an existing file as it was.
void WriteExportWorkbook(const std::string& path, const TExportOptions& options,
                         const TTextTable& table, const std::vector<size_t>& rows,
                         const std::string& createdLine, const TExportStep& step = {});

}  // namespace zentrix
