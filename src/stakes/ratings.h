#pragma once

#include <string>
#include <vector>

#include "stakes/rating_rec.h"
#include "stakes/stake_rec.h"

namespace zentrix {

inline constexpr int kRatingColumnCount = 24;
inline constexpr int kRatingAverageColumn = 3;

// Counts a checked stake in the row of its comment, appending the row when there is none.
// Does not sort.
void AddToRatings(TRatingsArray& ratings, const TStakeRec& stake);
// The ratings of the checked stakes for a draw, in file order.
TRatingsArray RebuildRatings(const std::vector<TStakeRec>& stakes);

// The sort's comparison of two rows by a view column: negative when a goes first ascending. A
// row with no stakes compares equal to every row.
int CompareRatings(const TRatingRec& a, const TRatingRec& b, int column);
// Sorts in place; nothing happens for fewer than two rows or a negative column.
void SortRatings(TRatingsArray& ratings, int column, bool descending);

// The ratings file: whole records back to back. A file that did not read whole is copied aside
// before it is first overwritten.
class TRatingsFile {
  public:
    explicit TRatingsFile(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }
    // Every whole record (none for a missing file); raises EFileError after keeping what was
    // read in `ratings`.
    void Load(TRatingsArray& ratings);
    // Raises EFileError; the previous file stays whole then.
    void Save(const TRatingsArray& ratings);
    bool Damaged() const { return damaged_; }

  private:
    std::string path_;
    bool damaged_ = false;
};

}  // namespace zentrix
