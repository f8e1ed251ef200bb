#pragma once

// The phrase anagram search with many blanks: words first, one search for
// all the letters the blanks can stand for.

#include "search/anagrams/AnagramSolver.h"

namespace Vorlaine {
namespace Anagram {

// Whether the words-first search is used over the search of each multiset
// of letters the blanks can stand for, of which there are `targets`: for
// anagrams of at most two words, or many targets.
bool PreferWordsFirst(const AnagramEntries& prepared, double targets);

// Reports every anagram of the prepared phrase with its blanks. Multisets of
// entries are taken longest entry first, a word's letters using up the
// phrase's letters left before any blank, so each anagram is met once. False
// when the search was stopped.
bool SearchWordsFirst(Run& shared);

} // namespace Anagram
} // namespace Vorlaine
