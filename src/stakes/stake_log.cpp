#include "stakes/stake_log.h"

#include <unistd.h>

#include <cerrno>

#include "core/comb_text.h"
#include "core/config_data.h"
#include "stakes/stakes_file.h"
#include "util/append_file.h"
#include "util/cp1251.h"
#include "util/files.h"
#include "util/format.h"

namespace zentrix {

std::string StakeLogPath(const std::string& stakesPath, int matches) {
    return StakesStem(stakesPath) + "-" + std::to_string(matches) + ".log";
}

std::string StakeLogLine(const TStakeRec& rec, TDateTime time) {
    const TDateParts t = DecodeDateTime(time);
    const std::string stamp = Format("%.4d.%.2d.%.2d %.2d:%.2d:%.2d",
                                     {t.year, t.month, t.day, t.hour, t.minute, t.second});
    TCountedNumbers result = TCountedNumbers::FromComb(rec.Result);
    return stamp + ": " +
           Format(
               "Тираж № %s. Ставка: \"%s\" [%s] {%d}. Результаты тиража: [%s]. Совпадений: "
               "%d. Профит: %.2f.",
               {std::to_string(rec.Draw), rec.Comment, CountedNumbersText(rec.Numbers, ";"),
                rec.Selection, CountedNumbersText(result, ";"), rec.Matches(),
                static_cast<long double>(rec.Profit) / kCurrencyScale});
}

void WriteStakeLog(const std::string& stakesPath, const TStakeRec& rec, TDateTime time,
                   int64_t limit) {
    const std::string path = StakeLogPath(stakesPath, rec.Matches());
    if (FileSize(path) > limit && ::unlink(path.c_str()) != 0 && errno != ENOENT) {
        const int error = errno;
        throw EFileError(
            Format("Ошибка удаления файла \"%s\"!\n\n%s", {path, SystemErrorText(error)}));
    }
    const std::string bytes = Utf8ToCp1251(StakeLogLine(rec, time)) + "\r\n";
    const int error = AppendToFile(path, bytes);
    if (error != 0)
        throw EFileError(
            Format("Ошибка записи в файл \"%s\"!\n\n%s", {path, SystemErrorText(error)}));
}

}  // namespace zentrix
