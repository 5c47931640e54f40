#include "search/index_plan.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace lumadex {
namespace {

// The units of one signature word, each a mask of its bits, in an order that puts
// neighbouring units far apart so that each part of a split samples the whole picture.
struct WordUnits {
    std::vector<std::uint32_t> masks;
    int bitsPerUnit = 1;
};

WordUnits BitsWordUnits() {
    WordUnits units;
    for (int k = 0; k < 32; ++k)
        units.masks.push_back(1u << ((k * 13) % 32));
    return units;
}

WordUnits LevelsWordUnits() {
    WordUnits units{{}, 2};
    for (int k = 0; k < 16; ++k)
        units.masks.push_back(3u << (2 * ((k * 7) % 16)));
    return units;
}

long long Binomial(int n, int k) {
    long long result = 1;
    for (int i = 1; i <= k; ++i)
        result = result * (n - k + i) / i;
    return result;
}

// Masks of every choice of `keep` parts out of the parts, in lexicographic order.
std::vector<std::uint32_t> CombinedParts(const std::vector<std::uint32_t>& parts, int keep) {
    std::vector<std::uint32_t> tables;
    const std::function<void(int, int, std::uint32_t)> choose = [&](int depth, int from,
                                                                    std::uint32_t mask) {
        if (depth == keep) {
            tables.push_back(mask);
            return;
        }
        for (int p = from; p < int(parts.size()); ++p)
            choose(depth + 1, p + 1, mask | parts[std::size_t(p)]);
    };
    choose(0, 0, 0);
    return tables;
}

struct WordPlan {
    std::vector<std::uint32_t> tables;
    int keyBits = 0;
};

// Splits the units into `parts` parts of consecutive units and keeps every choice of
// parts - tolerance of them.
WordPlan SplitPlan(const WordUnits& units, int tolerance, int parts) {
    const int unitCount = int(units.masks.size());
    std::vector<std::uint32_t> partMasks(std::size_t(parts), 0);
    std::vector<int> partSizes(std::size_t(parts), 0);
    for (int u = 0; u < unitCount; ++u) {
        const auto part = std::size_t(u * parts / unitCount);
        partMasks[part] |= units.masks[std::size_t(u)];
        ++partSizes[part];
    }
    std::sort(partSizes.begin(), partSizes.end());
    int smallestKeyUnits = 0;
    for (int p = 0; p < parts - tolerance; ++p)
        smallestKeyUnits += partSizes[std::size_t(p)];
    return {CombinedParts(partMasks, parts - tolerance), smallestKeyUnits * units.bitsPerUnit};
}

// The best split for a word in which at most `tolerance` units may differ.
WordPlan PlanWord(const WordUnits& units, int tolerance) {
    const int unitCount = int(units.masks.size());
    if (tolerance <= 0)
        return SplitPlan(units, 0, 1);
    if (tolerance >= unitCount)
        return {{0u}, 0};
    WordPlan best = SplitPlan(units, tolerance, tolerance + 1);
    for (int parts = tolerance + 2; parts <= unitCount; ++parts) {
        if (Binomial(parts, tolerance) > kMostIndexTables)
            break;
        WordPlan plan = SplitPlan(units, tolerance, parts);
        if (plan.keyBits > best.keyBits)
            best = std::move(plan);
    }
    return best;
}

IndexPlan FromBitsWord(const WordPlan& word, std::uint32_t levelsMask) {
    IndexPlan plan;
    for (std::uint32_t mask : word.tables)
        plan.tables.push_back({mask, levelsMask});
    plan.keyBits = word.keyBits;
    return plan;
}

IndexPlan FromLevelsWord(const WordPlan& word) {
    IndexPlan plan;
    for (std::uint32_t mask : word.tables)
        plan.tables.push_back({0u, mask});
    plan.keyBits = word.keyBits;
    return plan;
}

bool Better(const IndexPlan& a, const IndexPlan& b) {
    if (a.keyBits != b.keyBits)
        return a.keyBits > b.keyBits;
    return a.tables.size() < b.tables.size();
}

} // namespace

IndexPlan PlanIndex(const SearchOptions& options) {
    if (!options.notStrict) {
        // Equal words only: the whole words are the key.
        const std::uint32_t levelsMask = options.doubleCheck ? 0xFFFFFFFFu : 0u;
        return {{{0xFFFFFFFFu, levelsMask}}, options.doubleCheck ? 64 : 32};
    }
    const IndexPlan byBits = FromBitsWord(PlanWord(BitsWordUnits(), options.looseness), 0u);
    if (!options.doubleCheck)
        return byBits;
    const IndexPlan byLevels = FromLevelsWord(PlanWord(LevelsWordUnits(), options.levelTolerance));
    return Better(byBits, byLevels) ? byBits : byLevels;
}

bool IndexPays(const IndexPlan& plan, int count) {
    // A lookup reads the candidates of its buckets at scattered places, a few times dearer per
    // record than the scan's sequential reads, so the index pays when the tables' buckets hold
    // at most about an eighth of the catalogue. Small catalogues scan fast anyway.
    constexpr int kLeastRecords = 4096;
    constexpr int kLeastBitsOverTables = 3; // 2^-keyBits x tables <= 2^-3
    const int tables = int(plan.tables.size());
    return count >= kLeastRecords && tables <= kMostIndexTables &&
           plan.keyBits >= int(std::bit_width(unsigned(tables))) + kLeastBitsOverTables;
}

} // namespace lumadex
