#include "stakes/stake_rec.h"

#include <algorithm>

#include "util/binary.h"
#include "util/cp1251.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr size_t kShortStringSize = 256;

void WriteCounted(TByteWriter& w, const TCountedNumbers& set) {
    w.I32(set.Count);
    for (uint8_t n : set.Numbers) w.U8(n);
}

TCountedNumbers ReadCounted(TByteReader& r) {
    TCountedNumbers set;
    set.Count = r.I32();
    for (uint8_t& n : set.Numbers) n = r.U8();
    return set;
}

}  // namespace

TStakeRec SeparatorRecord() {
    TStakeRec rec;
    rec.Kind = kStakeSeparator;
    rec.Draw = -1;
    return rec;
}

void WriteShortString(std::string& out, std::string_view text) {
    const std::string bytes = Utf8ToCp1251(Utf8Left(text, kShortStringSize - 1));
    const size_t length = std::min(bytes.size(), kShortStringSize - 1);
    out += static_cast<char>(length);
    out.append(bytes, 0, length);
    out.append(kShortStringSize - 1 - length, '\0');
}

std::string ReadShortString(std::string_view field) {
    const size_t length = std::min<size_t>(static_cast<uint8_t>(field[0]), field.size() - 1);
    return Cp1251ToUtf8(field.substr(1, length));
}

void WriteStakeRecord(std::string& out, const TStakeRec& rec) {
    TByteWriter w(out);
    w.U8(rec.Version);
    w.U8(rec.Kind);
    w.Zeros(2);
    w.I32(rec.Draw);
    w.U8(rec.Checked ? 1 : 0);
    w.Zeros(3);
    w.I32(rec.Selection);
    WriteCounted(w, rec.Numbers);
    for (uint8_t n : rec.Result) w.U8(n);
    WriteCounted(w, rec.Matched);
    w.I64(rec.Profit);
    WriteShortString(out, rec.Comment);
}

std::string StakeRecordBytes(const TStakeRec& rec) {
    std::string out;
    WriteStakeRecord(out, rec);
    return out;
}

TStakeRec ReadStakeRecord(std::string_view record) {
    TByteReader r(record.substr(0, kStakeRecordSize));
    TStakeRec rec;
    rec.Version = r.U8();
    rec.Kind = r.U8();
    r.Skip(2);
    rec.Draw = r.I32();
    rec.Checked = r.U8() != 0;
    r.Skip(3);
    rec.Selection = r.I32();
    rec.Numbers = ReadCounted(r);
    for (uint8_t& n : rec.Result) n = r.U8();
    rec.Matched = ReadCounted(r);
    rec.Profit = r.I64();
    rec.Comment = ReadShortString(r.Bytes(kShortStringSize));
    return rec;
}

std::string StakesFileProblem(int64_t size, uint8_t firstByte) {
    if (size <= 0) return {};
    if (size % static_cast<int64_t>(kStakeRecordSize) != 0)
        return "размер файла " + std::to_string(size) + " не кратен размеру записи " +
               std::to_string(kStakeRecordSize);
    if (firstByte != kStakeVersion)
        return "версия записей " + std::to_string(firstByte) + " вместо " +
               std::to_string(kStakeVersion);
    return {};
}

}  // namespace zentrix
