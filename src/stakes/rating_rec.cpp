#include "stakes/rating_rec.h"

#include "stakes/stake_rec.h"
#include "util/binary.h"

namespace zentrix {

void WriteRatingRecord(std::string& out, const TRatingRec& rec) {
    WriteShortString(out, rec.Comment);
    TByteWriter w(out);
    w.I32(rec.Stakes);
    w.I32(rec.Matches);
    for (int32_t count : rec.Histogram) w.I32(count);
    w.Zeros(4);
    w.I64(rec.Profit);
}

TRatingRec ReadRatingRecord(std::string_view record) {
    TByteReader r(record.substr(0, kRatingRecordSize));
    TRatingRec rec;
    rec.Comment = ReadShortString(r.Bytes(256));
    rec.Stakes = r.I32();
    rec.Matches = r.I32();
    for (int32_t& count : rec.Histogram) count = r.I32();
    r.Skip(4);
    rec.Profit = r.I64();
    return rec;
}

}  // namespace zentrix
