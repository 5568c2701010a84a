#include "stakes/wheel_generate.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "stakes/wheel_check.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

// Candidates looked at times targets counted, per greedy round and for the local pass.
constexpr uint64_t kRoundBudget = 20'000'000;
constexpr uint64_t kImproveBudget = 400'000'000;
// One attempt of the focused search at one ticket fewer: moves, and targets counted.
constexpr int kSearchMoves = 20000;
constexpr uint64_t kSearchBudget = 60'000'000;
constexpr double kSearchTemperature = 0.6;

// Every mask of `size` bits out of the low `n`, increasing.
std::vector<uint32_t> Subsets(int n, int size) {
    std::vector<uint32_t> masks;
    if (size == 0) return {0};
    masks.reserve(size_t(Binomial(n, size)));
    const uint32_t limit = 1u << n;
    for (uint32_t m = (1u << size) - 1; m < limit;) {
        masks.push_back(m);
        const uint32_t low = m & -m;
        const uint32_t ripple = m + low;
        m = ripple | (((m ^ ripple) >> 2) / low);
    }
    return masks;
}

class TWheelBuilder {
  public:
    TWheelBuilder(const TWheelGoal& goal, uint64_t seed, const std::function<bool()>& stop)
        : n_(goal.numbers),
          k_(goal.matches),
          targets_(Subsets(goal.numbers, goal.drawn)),
          rng_(seed),
          stop_(stop) {}

    std::vector<uint32_t> Build() {
        Greedy();
        Improve();
        return tickets_;
    }

  private:
    bool Covers(uint32_t ticket, uint32_t target) const {
        return std::popcount(ticket & target) >= k_;
    }
    void Poll() const {
        if (stop_ && stop_()) throw EZentrix("Построение системы прервано");
    }
    // A ticket holding a target's numbers (up to eight), filled up at random.
    uint32_t Around(uint32_t target) {
        uint32_t ticket = target;
        while (std::popcount(ticket) < kCombSize) {
            const int p = std::uniform_int_distribution<int>(0, n_ - 1)(rng_);
            ticket |= 1u << p;
        }
        // A target of more than eight numbers does not occur (t <= 8).
        return ticket;
    }

    void Greedy() {
        const std::vector<uint32_t> candidates = Subsets(n_, kCombSize);
        std::vector<uint32_t> uncovered = targets_;
        std::vector<uint32_t> pool;
        while (!uncovered.empty()) {
            Poll();
            if (tickets_.size() >= kWheelTicketLimit)
                throw EZentrix(
                    Format("Система получается больше %d комбинаций", {int(kWheelTicketLimit)}));
            const uint64_t work = uint64_t(candidates.size()) * uncovered.size();
            const std::vector<uint32_t>* from = &candidates;
            if (work > kRoundBudget) {
                const size_t size = std::max<size_t>(16, kRoundBudget / uncovered.size());
                pool.clear();
                std::uniform_int_distribution<size_t> any(0, candidates.size() - 1);
                std::uniform_int_distribution<size_t> open(0, uncovered.size() - 1);
                for (size_t i = 0; i < size; ++i)
                    pool.push_back(i % 2 ? candidates[any(rng_)] : Around(uncovered[open(rng_)]));
                from = &pool;
            }
            uint32_t best = Around(uncovered[0]);
            size_t bestGain = 0, ties = 0;
            for (uint32_t c : *from) {
                size_t gain = 0;
                for (uint32_t s : uncovered) gain += Covers(c, s);
                if (gain > bestGain) {
                    bestGain = gain;
                    best = c;
                    ties = 1;
                } else if (gain == bestGain && gain > 0 &&
                           std::uniform_int_distribution<size_t>(0, ties++)(rng_) == 0) {
                    best = c;
                }
            }
            tickets_.push_back(best);
            std::erase_if(uncovered, [&](uint32_t s) { return Covers(best, s); });
        }
    }

    void Count(uint32_t ticket, int add, uint64_t& work) {
        for (size_t j = 0; j < targets_.size(); ++j)
            if (Covers(ticket, targets_[j])) counts_[j] += add;
        work += targets_.size();
    }

    // Tickets every target of which another ticket covers too go, the last first.
    void DropRedundant(uint64_t& work) {
        for (size_t i = tickets_.size(); i-- > 0;) {
            bool needed = false;
            for (size_t j = 0; j < targets_.size() && !needed; ++j)
                needed = counts_[j] == 1 && Covers(tickets_[i], targets_[j]);
            work += targets_.size();
            if (needed) continue;
            Count(tickets_[i], -1, work);
            tickets_.erase(tickets_.begin() + std::ptrdiff_t(i));
        }
    }

    // With ticket r gone, one swap in another ticket that still covers everything; true when
    // made (r is then removed).
    bool ReplaceBySwap(size_t r, uint64_t& work) {
        Count(tickets_[r], -1, work);
        std::vector<size_t> low;
        for (size_t j = 0; j < targets_.size(); ++j)
            if (counts_[j] <= 1) low.push_back(j);
        work += targets_.size();
        std::vector<uint32_t> need;
        for (size_t a = 0; a < tickets_.size(); ++a) {
            if (a == r) continue;
            const uint32_t ticket = tickets_[a];
            need.clear();
            for (size_t j : low)
                if (counts_[j] == 0 || Covers(ticket, targets_[j])) need.push_back(targets_[j]);
            work += low.size();
            const uint32_t full = (1u << n_) - 1;
            for (uint32_t outs = ticket; outs; outs &= outs - 1) {
                const uint32_t out = outs & -outs;
                for (uint32_t ins = full & ~ticket; ins; ins &= ins - 1) {
                    const uint32_t swapped = (ticket & ~out) | (ins & -ins);
                    bool ok = true;
                    for (uint32_t s : need)
                        if (!Covers(swapped, s)) {
                            ok = false;
                            break;
                        }
                    work += need.size();
                    if (!ok) continue;
                    Count(ticket, -1, work);
                    Count(swapped, +1, work);
                    tickets_[a] = swapped;
                    tickets_.erase(tickets_.begin() + std::ptrdiff_t(r));
                    return true;
                }
            }
        }
        Count(tickets_[r], +1, work);
        return false;
    }

    void Recount(uint64_t& work) {
        counts_.assign(targets_.size(), 0);
        for (uint32_t ticket : tickets_) Count(ticket, +1, work);
    }

    // A ticket fewer, then moves that each swap one number of a ticket for one of a target
    // still uncovered, kept when they uncover no more than they cover (now and then also when
    // they do, so the search leaves a dead end); true once everything is covered.
    bool SearchOneFewer(uint64_t& work) {
        std::vector<uint32_t> saved = tickets_;
        // The ticket that alone covers the fewest targets goes.
        size_t drop = 0, fewest = SIZE_MAX;
        for (size_t i = 0; i < tickets_.size(); ++i) {
            size_t alone = 0;
            for (size_t j = 0; j < targets_.size(); ++j)
                alone += counts_[j] == 1 && Covers(tickets_[i], targets_[j]);
            work += targets_.size();
            if (alone < fewest) fewest = alone, drop = i;
        }
        Count(tickets_[drop], -1, work);
        tickets_.erase(tickets_.begin() + std::ptrdiff_t(drop));
        std::vector<size_t> open;
        std::vector<ptrdiff_t> at(targets_.size(), -1);
        auto opened = [&](size_t j) {
            at[j] = ptrdiff_t(open.size());
            open.push_back(j);
        };
        auto closed = [&](size_t j) {
            const size_t last = open.back();
            open[size_t(at[j])] = last;
            at[last] = at[j];
            open.pop_back();
            at[j] = -1;
        };
        for (size_t j = 0; j < targets_.size(); ++j)
            if (counts_[j] == 0) opened(j);
        std::uniform_real_distribution<double> chance(0, 1);
        const uint64_t limit = work + kSearchBudget;
        for (int move = 0; move < kSearchMoves && !open.empty() && work < limit; ++move) {
            if (move % 256 == 0) Poll();
            const uint32_t target = targets_[open[Pick(open.size())]];
            const size_t b = Pick(tickets_.size());
            const uint32_t ticket = tickets_[b];
            const uint32_t outs = ticket & ~target ? ticket & ~target : ticket;
            const uint32_t swapped = (ticket & ~PickBit(outs)) | PickBit(target & ~ticket);
            int delta = 0;
            for (size_t j = 0; j < targets_.size(); ++j) {
                const bool before = Covers(ticket, targets_[j]);
                const bool after = Covers(swapped, targets_[j]);
                if (before && !after && counts_[j] == 1) ++delta;
                if (after && !before && counts_[j] == 0) --delta;
            }
            work += targets_.size();
            if (delta > 0 && chance(rng_) >= std::exp(-delta / kSearchTemperature)) continue;
            for (size_t j = 0; j < targets_.size(); ++j) {
                const int change =
                    int(Covers(swapped, targets_[j])) - int(Covers(ticket, targets_[j]));
                if (change == 0) continue;
                counts_[j] += change;
                if (counts_[j] == 0) opened(j);
                if (counts_[j] == 1 && change > 0) closed(j);
            }
            work += targets_.size();
            tickets_[b] = swapped;
        }
        if (open.empty()) return true;
        tickets_ = std::move(saved);
        Recount(work);
        return false;
    }
    size_t Pick(size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(rng_); }
    uint32_t PickBit(uint32_t mask) {
        int skip = int(Pick(size_t(std::popcount(mask))));
        while (skip-- > 0) mask &= mask - 1;
        return mask & -mask;
    }

    void Improve() {
        uint64_t work = 0;
        Recount(work);
        DropRedundant(work);
        for (bool improved = true; improved && work < kImproveBudget;) {
            improved = false;
            for (size_t r = tickets_.size(); r-- > 0 && work < kImproveBudget;) {
                Poll();
                if (ReplaceBySwap(r, work)) {
                    DropRedundant(work);
                    improved = true;
                    break;
                }
            }
        }
        while (tickets_.size() > 1 && work < kImproveBudget && SearchOneFewer(work)) {
        }
    }

    int n_;
    int k_;
    std::vector<uint32_t> targets_;
    std::vector<uint32_t> tickets_;
    std::vector<int> counts_;
    std::mt19937_64 rng_;
    const std::function<bool()>& stop_;
};

}  // namespace

void CheckWheelGoal(const TWheelGoal& goal) {
    if (goal.numbers < 9 || goal.numbers > kMaxNumber)
        throw EConvertError(Format("Количество чисел системы %d: допустимо от 9 до %d",
                                   {goal.numbers, kMaxNumber}));
    if (goal.matches < 1 || goal.matches > kCombSize - 1 || goal.drawn < goal.matches ||
        goal.drawn > kCombSize)
        throw EConvertError(
            Format("Гарантия \"%d если %d\": допустимо K если T с 1 <= K <= 7, "
                   "K <= T <= 8",
                   {goal.matches, goal.drawn}));
}

TWheelGoal ParseWheelGoal(int numbers, const std::string& text) {
    const std::string lower = LowerCase(Trim(text));
    for (const char* joint : {"-if-", " if ", "if"}) {
        const size_t at = lower.find(joint);
        if (at == std::string::npos) continue;
        const std::optional<int32_t> k = TryStrToInt(Trim(lower.substr(0, at)));
        const std::optional<int32_t> t =
            TryStrToInt(Trim(lower.substr(at + std::string_view(joint).size())));
        if (!k || !t) break;
        TWheelGoal goal{numbers, *k, *t};
        CheckWheelGoal(goal);
        return goal;
    }
    throw EConvertError(Format("Неверная гарантия \"%s\": ожидается K-if-T, например 3-if-3",
                               {Utf8Left(text, 40)}));
}

std::string GeneratedSystemFileName(const TWheelGoal& goal) {
    return Format("%d-%.2d-%d_%.4d.dat", {kCombSize, goal.numbers, goal.matches, 0});
}

TCombsArray GenerateWheel(const TWheelGoal& goal, uint64_t seed,
                          const std::function<bool()>& stop) {
    CheckWheelGoal(goal);
    TCombsArray system;
    for (uint32_t mask : TWheelBuilder(goal, seed, stop).Build()) {
        TComb ticket{};
        size_t i = 0;
        for (int p = 0; p < goal.numbers; ++p)
            if (mask & (1u << p)) ticket[i++] = uint8_t(p + 1);
        system.push_back(ticket);
    }
    std::sort(system.begin(), system.end());
    // The checker has the last word: a system short of its guarantee is never handed out.
    if (CheckWheel(goal.numbers, system).rows[size_t(goal.drawn)].guaranteed < goal.matches)
        throw EZentrix("Построенная система не дает заданной гарантии");
    return system;
}

}  // namespace zentrix
