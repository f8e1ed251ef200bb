#pragma once

#include "search/query/WordSearch.h"

#include <string>
#include <string_view>

namespace Vorlaine {

// The order of a sort, as bytes: each match gets a key, keys compare byte by
// byte (a key that another begins with goes first), and among equal keys the
// list's order stays. This is the one place that says what each order
// compares; a new order is one more case here. A word's repeats have equal
// keys, whatever their spelling in the list.
void AppendSortKey(std::string& to, SortOrder order, const WordMatch& match);

// A match as a sort keeps it, packed: its key, then its bytes (left out when
// the key ends with them, as for a lower-case ASCII word), the letters it
// plays, its score, the letters of its blanks and its chance of being drawn.
void AppendMatchRecord(std::string& to, SortOrder order, const WordMatch& match);

// A packed match, read back; the views are into the record.
struct MatchRecord {
    std::string_view key;
    std::string_view bytes;
    qsizetype length = 0;
    int score = 0;
    std::string_view blanks; // packed
    double probability = 0;

    static MatchRecord read(std::string_view record);
    static std::string_view keyOf(std::string_view record);
    // The match, its bytes pointing into the record.
    WordMatch match() const;
};

} // namespace Vorlaine
