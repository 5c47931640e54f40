#pragma once

#include "search/search_options.h"

#include <cstdint>
#include <vector>

namespace lumadex {

// The parts of the two signature words that form the key of one index table.
struct IndexKeyMask {
    std::uint32_t bits = 0;
    std::uint32_t levels = 0;

    friend bool operator==(const IndexKeyMask&, const IndexKeyMask&) = default;
};

// The tables of a similarity index. Built by pigeonhole: when at most t of the units of a word
// (bits of the bits word, two-bit cells of the levels word) may differ, split its units into m
// parts; at least m - t parts are then equal, so one table per choice of m - t parts finds
// every pair that can match in at least one table.
struct IndexPlan {
    std::vector<IndexKeyMask> tables;
    int keyBits = 0; // fewest key bits among the tables: the plan's selectivity
};

// The most tables a plan chooses on its own; each costs four bytes per record.
inline constexpr int kMostIndexTables = 6;

// The plan that finds every pair of signatures the options call similar, with the most key
// bits per table within kMostIndexTables (or the fewest tables beyond it when no split fits).
IndexPlan PlanIndex(const SearchOptions& options);

// Whether an index with this plan is worth building for a catalogue of count records, rather
// than scanning it linearly.
bool IndexPays(const IndexPlan& plan, int count);

} // namespace lumadex
