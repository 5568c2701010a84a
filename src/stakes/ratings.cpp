#include "stakes/ratings.h"

#include <algorithm>
#include <cstdlib>

#include "core/archive_file.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/rounding.h"
#include "util/strings.h"

namespace zentrix {

void AddToRatings(TRatingsArray& ratings, const TStakeRec& stake) {
    const int32_t matches = stake.Matches();
    if (matches < 0 || matches > kCombSize) return;
    for (TRatingRec& row : ratings)
        if (SameText(row.Comment, stake.Comment)) {
            row.Stakes += 1;
            row.Matches += matches;
            row.Profit += stake.Profit;
            row.Histogram[matches] += 1;
            return;
        }
    TRatingRec row;
    row.Comment = stake.Comment;
    row.Stakes = 1;
    row.Matches = matches;
    row.Profit = stake.Profit;
    row.Histogram[matches] = 1;
    ratings.push_back(row);
}

TRatingsArray RebuildRatings(const std::vector<TStakeRec>& stakes) {
    TRatingsArray ratings;
    for (const TStakeRec& stake : stakes)
        if (stake.Draw >= 0 && stake.Checked) AddToRatings(ratings, stake);
    return ratings;
}

namespace {

int Sign(int64_t v) {
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}

// Case decides only between texts equal without it, a small letter first (as the system's
// word sort does).
int CompareComments(const std::string& a, const std::string& b) {
    if (int c = CompareText(a, b); c != 0) return c;
    return -a.compare(b);
}

}  // namespace

int CompareRatings(const TRatingRec& a, const TRatingRec& b, int column) {
    if (a.Stakes == 0 || b.Stakes == 0) return 0;
    const long double sa = a.Stakes, sb = b.Stakes;
    switch (column) {
        case 0:
            return CompareComments(a.Comment, b.Comment);
        case 1:
            return Sign(int64_t{a.Stakes} - b.Stakes);
        case 2:
            return Sign(int64_t{a.Matches} - b.Matches);
        case 3:
            return Sign(RoundHalfEven((a.Matches / sa - b.Matches / sb) * 100));
        case 4:
            // Apart in long double: a damaged file's extremes overflow an integer difference.
            return Sign(RoundHalfEven(
                (static_cast<long double>(a.Profit) - static_cast<long double>(b.Profit)) / 100));
        case 5:
            return Sign(RoundHalfEven((a.Profit / sa - b.Profit / sb) / 100));
        default:
            if (column >= 6 && column <= 14)
                return Sign(int64_t{a.Histogram[column - 6]} - b.Histogram[column - 6]);
            return 0;
    }
}

// A merge sort: it asks nothing of the comparison (rows with no stakes equal everything),
// where the standard sorts may run out of range.
void SortRatings(TRatingsArray& ratings, int column, bool descending) {
    if (ratings.size() < 2 || column < 0) return;
    auto before = [&](const TRatingRec& a, const TRatingRec& b) {
        const int c = CompareRatings(a, b, column);
        return descending ? c > 0 : c < 0;
    };
    TRatingsArray buffer(ratings.size());
    for (size_t width = 1; width < ratings.size(); width *= 2) {
        for (size_t lo = 0; lo < ratings.size(); lo += 2 * width) {
            const size_t mid = std::min(lo + width, ratings.size());
            const size_t hi = std::min(lo + 2 * width, ratings.size());
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi)
                buffer[k++] = before(ratings[j], ratings[i]) ? ratings[j++] : ratings[i++];
            while (i < mid) buffer[k++] = ratings[i++];
            while (j < hi) buffer[k++] = ratings[j++];
        }
        ratings.swap(buffer);
    }
}

void TRatingsFile::Load(TRatingsArray& ratings) {
    ratings.clear();
    if (FileSize(path_) < 0) return;
    std::string error;
    const std::string bytes = ReadAvailableBytes(path_, error);
    for (size_t at = 0; at + kRatingRecordSize <= bytes.size(); at += kRatingRecordSize)
        ratings.push_back(ReadRatingRecord(std::string_view(bytes).substr(at)));
    if (error.empty() && bytes.size() % kRatingRecordSize != 0)
        error = path_ + ": файл содержит неполную запись";
    if (error.empty()) return;
    damaged_ = true;
    throw EFileError(error);
}

void TRatingsFile::Save(const TRatingsArray& ratings) {
    std::string bytes;
    bytes.reserve(ratings.size() * kRatingRecordSize);
    for (const TRatingRec& row : ratings) WriteRatingRecord(bytes, row);
    if (damaged_) BackupDamagedFile(path_);
    AtomicWriteFile(path_, bytes);
    damaged_ = false;
}

}  // namespace zentrix
