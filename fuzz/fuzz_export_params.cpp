// Export parameter files (*.exp).
#include "exchange/export_options.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    const std::string section = ExportSection("FormMain", "lvDraws");
    TExportOptions options;
    options.title = "Архив";
    for (int i = 0; i < 4; ++i) {
        TExportField field;
        field.sourceIndex = i;
        field.physicalName = "Column" + std::to_string(i);
        field.caption = "C" + std::to_string(i);
        options.fields.push_back(field);
    }
    try {
        (void)LoadExportFile(fuzz::InputFile(fuzz::Bytes(data, size), "params.exp"), section,
                             options);
    } catch (const EZentrix&) {
    }
    for (const TExportField& f : options.fields) {
        const double width = ExportColumnWidth(f.width);
        if (!(width >= 0 && width <= kExportMaxWidth)) std::abort();
    }
    (void)SafeSheetName(options.sheetName);
    (void)ExportHeaderRow(options);
    return 0;
}
