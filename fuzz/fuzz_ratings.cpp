// The ratings file.
#include "fuzz_support.h"
#include "stakes/ratings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    TRatingsFile file(fuzz::InputFile(fuzz::Bytes(data, size), "Zentrix_8x20.lrt"));
    TRatingsArray ratings;
    try {
        file.Load(ratings);
    } catch (const EFileError&) {
    }
    for (int column = 0; column < kRatingColumnCount; ++column)
        SortRatings(ratings, column, column % 2 == 1);
    return 0;
}
