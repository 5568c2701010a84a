#include "stakes/regular_rule.h"

#include "core/archive_file.h"
#include "stakes/stake_rec.h"
#include "util/binary.h"
#include "util/errors.h"
#include "util/files.h"

namespace zentrix {

void WriteRegularRecord(std::string& out, const TRegularRule& rule) {
    WriteShortString(out, rule.Comment);
    TByteWriter w(out);
    w.U8(rule.UseLastDraw ? 1 : 0);
    for (uint8_t n : rule.CombStart) w.U8(n);
    for (uint8_t n : rule.CombCurrent) w.U8(n);
    w.Zeros(3);
    w.I32(rule.Step);
    w.I32(rule.StakesMade);
}

TRegularRule ReadRegularRecord(std::string_view record) {
    TByteReader r(record.substr(0, kRegularRecordSize));
    TRegularRule rule;
    rule.Comment = ReadShortString(r.Bytes(256));
    rule.UseLastDraw = r.U8() != 0;
    for (uint8_t& n : rule.CombStart) n = r.U8();
    for (uint8_t& n : rule.CombCurrent) n = r.U8();
    r.Skip(3);
    rule.Step = r.I32();
    rule.StakesMade = r.I32();
    return rule;
}

void TRegularsFile::Load(TRegularRules& rules) {
    rules.clear();
    if (FileSize(path_) < 0) return;
    std::string error;
    const std::string bytes = ReadAvailableBytes(path_, error);
    for (size_t at = 0; at + kRegularRecordSize <= bytes.size(); at += kRegularRecordSize)
        rules.push_back(ReadRegularRecord(std::string_view(bytes).substr(at)));
    if (error.empty() && bytes.size() % kRegularRecordSize != 0)
        error = path_ + ": файл содержит неполную запись";
    if (error.empty()) return;
    damaged_ = true;
    throw EFileError(error);
}

void TRegularsFile::Save(const TRegularRules& rules) {
    std::string bytes;
    bytes.reserve(rules.size() * kRegularRecordSize);
    for (const TRegularRule& rule : rules) WriteRegularRecord(bytes, rule);
    if (damaged_) BackupDamagedFile(path_);
    AtomicWriteFile(path_, bytes);
    damaged_ = false;
}

}  // namespace zentrix
