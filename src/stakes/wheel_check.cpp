#include "stakes/wheel_check.h"

#include <algorithm>
#include <bit>

#include "util/errors.h"
#include "util/format.h"

namespace zentrix {

namespace {

// C(n, k), 0 when k is outside 0..n.
int64_t Choose(int n, int k) {
    if (k < 0 || k > n) return 0;
    int64_t c = 1;
    for (int i = 1; i <= k; ++i) c = c * (n - k + i) / i;
    return c;
}

}  // namespace

uint32_t PositionMask(const TComb& ticket) {
    uint32_t mask = 0;
    for (uint8_t p : ticket) mask |= 1u << (p - 1);
    return mask;
}

double TWheelCheck::AllShare(int m) const {
    return all.draws > 0 ? double(all.best[size_t(m)]) / double(all.draws) : 0;
}

TWheelCheck CheckWheel(int numbers, const TCombsArray& tickets) {
    if (numbers < kWheelMinNumbers || numbers > kMaxNumber)
        throw EConvertError(Format("Система должна быть на %d..%d чисел, а не на %d",
                                   {kWheelMinNumbers, kMaxNumber, numbers}));
    const uint32_t full = (1u << numbers) - 1;
    // Per subset of at most eight positions: bit 7 when it lies inside a ticket, bits 0..6 the
    // most of its positions inside one ticket.
    constexpr uint8_t kInside = 0x80;
    std::vector<uint8_t> v(size_t(full) + 1, 0);
    for (const TComb& ticket : tickets) {
        for (uint8_t p : ticket)
            if (p < 1 || p > numbers)
                throw EConvertError(Format("Позиция %d вне диапазона 1..%d", {int(p), numbers}));
        const uint32_t mask = PositionMask(ticket);
        if (std::popcount(mask) != kCombSize)
            throw EConvertError("В комбинации системы повторяются позиции");
        v[mask] = kInside;
    }
    // Supersets are larger numbers: going down, a subset is inside a ticket when one of its
    // one-larger supersets is.
    for (uint32_t mask = full + 1; mask-- > 0;) {
        if (std::popcount(mask) >= kCombSize) continue;
        for (uint32_t out = full & ~mask; out; out &= out - 1)
            if (v[mask | (out & -out)] & kInside) {
                v[mask] = kInside;
                break;
            }
    }
    TWheelCheck check;
    check.numbers = numbers;
    check.tickets = tickets.size();
    for (int t = 0; t <= kCombSize; ++t) {
        TWheelRow& row = check.rows[size_t(t)];
        row.drawn = t;
        row.subsets = Choose(numbers, t);
        row.draws = row.subsets * Choose(kMaxNumber - numbers, kCombSize - t);
        row.guaranteed = t <= numbers ? kCombSize : -1;
    }
    // Subsets are smaller numbers: going up, the best of a subset not inside a ticket is the
    // best of its one-smaller subsets.
    for (uint32_t mask = 0; mask <= full; ++mask) {
        const int size = std::popcount(mask);
        if (size > kCombSize) continue;
        uint8_t b = 0;
        if (v[mask] & kInside) {
            b = uint8_t(size);
        } else {
            for (uint32_t rest = mask; rest && b + 1 < size; rest &= rest - 1)
                b = std::max<uint8_t>(b, v[mask & ~(rest & -rest)] & ~kInside);
        }
        v[mask] = uint8_t((v[mask] & kInside) | b);
        TWheelRow& row = check.rows[size_t(size)];
        ++row.best[b];
        row.guaranteed = std::min(row.guaranteed, int(b));
    }
    TWheelRow& all = check.all;
    all.drawn = -1;
    all.guaranteed = kCombSize;
    for (const TWheelRow& row : check.rows) {
        if (row.draws == 0) continue;
        const int64_t weight = row.draws / row.subsets;
        for (int m = 0; m <= kCombSize; ++m) all.best[size_t(m)] += row.best[size_t(m)] * weight;
        all.subsets += row.subsets;
        all.draws += row.draws;
        all.guaranteed = std::min(all.guaranteed, row.guaranteed);
    }
    return check;
}

TCombsArray ListAsSystem(const TCombsArray& list, TByteArray& numbers) {
    numbers.clear();
    CollectNumbers(list, list.size(), numbers);
    std::array<uint8_t, kMaxNumber + 1> position{};
    for (size_t i = 0; i < numbers.size(); ++i) position[numbers[i]] = uint8_t(i + 1);
    TCombsArray tickets;
    tickets.reserve(list.size());
    for (const TComb& comb : list) {
        TComb ticket{};
        for (size_t i = 0; i < comb.size(); ++i) {
            const uint8_t n = comb[i];
            // A number CollectNumbers did not reach (outside 1..20) cannot be placed.
            if (n < 1 || n > kMaxNumber || position[n] == 0)
                throw EConvertError(Format("Недопустимый номер %d в списке комбинаций", {int(n)}));
            ticket[i] = position[n];
        }
        tickets.push_back(ticket);
    }
    return tickets;
}

}  // namespace zentrix
