#include "search/anagrams/AnagramWordsFirst.h"

#include "search/anagrams/AnagramReport.h"

#include <algorithm>
#include <numeric>

namespace Vorlaine {
namespace Anagram {

namespace {

// Work units of one candidate tested against the letters left: a few
// letters looked up, some nanoseconds.
constexpr int TestUnits = 8;

// Multisets of entries in non-decreasing search order, longest entry first,
// so that the entries of one length are one range of each candidate list.
// Each depth keeps the candidates that still fit, for the deeper ones.
class WordsFirst {
public:
    explicit WordsFirst(const AnagramEntries& prepared);
    // entryWords_ points into its own vectors.
    WordsFirst(const WordsFirst&) = delete;
    WordsFirst& operator=(const WordsFirst&) = delete;

    // False when the search was stopped.
    bool solve(Run& shared);

private:
    struct Frame {
        std::size_t next; // into the depth's candidates
        int total;        // letters left: the phrase's and the blanks
        int blanks;       // blanks left
    };

    void placeTable(const AnagramEntries& prepared);
    int excess(int entry, int most) const;
    void take(int entry);
    void putBack(int entry);
    bool narrow(Run& shared, std::size_t from, int total, int blanks, std::int64_t shortest);
    bool lastWord(Run& shared, std::size_t from, int total, int blanks);
    bool lastWordByLetters(Run& shared, int total, int blanks);
    int lookup(std::uint64_t hash, int total, int blanks) const;
    bool completes(Run& shared, int last);
    bool tick(Run& shared, int units) {
        return shared.tick(units, [this] { return shareDone(); });
    }
    double shareDone() const;
    bool report(Run& shared, int words);

    int maxWords_ = 0;
    bool distinct_ = false;
    int totalLength_ = 0;
    int blanks_ = 0;

    // Entries in search order.
    std::vector<int> length_;
    std::vector<int> letterBegin_{0};
    std::vector<LetterCount> letters_;
    std::vector<int> wordStart_;
    std::vector<int> wordCount_;
    std::vector<int> words_; // the entries' words, by rank
    std::vector<int> wordRank_;
    EntryWords entryWords_{};

    // Entries by the hash of their letters, a sum of the letters' own, for
    // the last word of an anagram.
    std::vector<std::uint64_t> letterHash_; // per letter
    std::vector<std::uint64_t> hash_;       // per entry
    std::vector<int> table_;                // entries, -1 for none
    int tableBits_ = 0;
    std::vector<int> extraLetters_;    // letters a blank can stand for
    std::vector<double> extraChoices_; // multisets of n of them, per n
    std::vector<int> extras_;          // the multiset being looked up, as indices

    std::vector<int> left_; // the phrase's letters left, per letter
    std::uint64_t leftHash_ = 0;
    std::vector<int> taken_; // what the path's entries took of them, letter by letter
    std::vector<std::vector<int>> candidates_; // per depth
    std::vector<Frame> frames_;
    std::vector<int> path_;
    std::vector<int> uses_; // how many times in a row path_[d] was taken, up to d
    int depth_ = 0;
};

WordsFirst::WordsFirst(const AnagramEntries& prepared)
    : maxWords_(std::min(prepared.maxWords, prepared.totalLength)), distinct_(prepared.distinct),
      totalLength_(prepared.totalLength), blanks_(prepared.blanks), left_(prepared.phraseCount) {
    std::vector<int> order(static_cast<std::size_t>(prepared.entries()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&prepared](int a, int b) {
        return At(prepared.length, a) > At(prepared.length, b);
    });
    for (const int entry : order) {
        length_.push_back(At(prepared.length, entry));
        const auto letters = LettersOf(prepared, entry);
        letters_.insert(letters_.end(), letters.begin(), letters.end());
        letterBegin_.push_back(static_cast<int>(letters_.size()));
        wordStart_.push_back(static_cast<int>(words_.size()));
        for (int w = At(prepared.wordBegin, entry); w < At(prepared.wordBegin, entry + 1); ++w) {
            const int word = At(prepared.entryWords, w);
            words_.push_back(word);
            wordRank_.push_back(At(prepared.rank, word));
        }
        wordCount_.push_back(static_cast<int>(words_.size()) - wordStart_.back());
    }
    entryWords_ = {wordStart_.data(), wordCount_.data(), words_.data(), wordRank_.data()};
    placeTable(prepared);

    const auto depths = static_cast<std::size_t>(std::max(maxWords_, 0)) + 1;
    candidates_.resize(depths);
    frames_.resize(depths);
    path_.assign(depths, 0);
    uses_.assign(depths, 0);
}

// The entries by their letters' hash, and what looking up the last word needs.
void WordsFirst::placeTable(const AnagramEntries& prepared) {
    std::uint64_t seed = 0xB1A4C5;
    letterHash_.resize(static_cast<std::size_t>(prepared.letters));
    for (auto& h : letterHash_)
        h = SplitMix(seed);
    for (std::size_t e = 0; e < length_.size(); ++e) {
        std::uint64_t hash = 0;
        for (int i = letterBegin_[e]; i < letterBegin_[e + 1]; ++i)
            hash += static_cast<std::uint64_t>(At(letters_, i).count) *
                    At(letterHash_, At(letters_, i).letter);
        hash_.push_back(hash);
    }
    tableBits_ = 4;
    while ((std::size_t{1} << tableBits_) < 2 * length_.size())
        ++tableBits_;
    table_.assign(std::size_t{1} << tableBits_, -1);
    for (std::size_t e = 0; e < length_.size(); ++e) {
        std::size_t slot = SlotOf(hash_[e], tableBits_);
        while (table_[slot] >= 0)
            slot = (slot + 1) & (table_.size() - 1);
        table_[slot] = static_cast<int>(e);
    }
    for (int letter = 0; letter < prepared.letters; ++letter)
        leftHash_ += static_cast<std::uint64_t>(At(left_, letter)) * At(letterHash_, letter);
    extraLetters_ = prepared.extraLetters;
    const auto kinds = static_cast<double>(extraLetters_.size());
    extraChoices_.push_back(1);
    for (int n = 1; n <= blanks_; ++n)
        extraChoices_.push_back(extraChoices_.back() * (kinds - 1 + n) / n);
    extras_.resize(static_cast<std::size_t>(blanks_));
}

// The entry's letters beyond the phrase's left, counted until they pass `most`.
inline int WordsFirst::excess(int entry, int most) const {
    int over = 0;
    for (int i = At(letterBegin_, entry); i < At(letterBegin_, entry + 1); ++i) {
        const LetterCount& letter = At(letters_, i);
        const int beyond = letter.count - At(left_, letter.letter);
        if (beyond > 0 && (over += beyond) > most)
            break;
    }
    return over;
}

// A word uses up the phrase's letters first; the blanks stand for the rest.
inline void WordsFirst::take(int entry) {
    for (int i = At(letterBegin_, entry); i < At(letterBegin_, entry + 1); ++i) {
        const LetterCount& letter = At(letters_, i);
        int& left = At(left_, letter.letter);
        const int used = std::min(letter.count, left);
        left -= used;
        leftHash_ -= static_cast<std::uint64_t>(used) * At(letterHash_, letter.letter);
        taken_.push_back(used);
    }
}

inline void WordsFirst::putBack(int entry) {
    for (int i = At(letterBegin_, entry + 1); i-- > At(letterBegin_, entry);) {
        const int letter = At(letters_, i).letter;
        At(left_, letter) += taken_.back();
        leftHash_ += static_cast<std::uint64_t>(taken_.back()) * At(letterHash_, letter);
        taken_.pop_back();
    }
}

// The next depth's candidates: those of this depth from `from` on that fit
// the letters left and are no shorter than `shortest`.
bool WordsFirst::narrow(Run& shared, std::size_t from, int total, int blanks,
                        std::int64_t shortest) {
    const std::vector<int>& list = At(candidates_, depth_);
    std::vector<int>& next = At(candidates_, depth_ + 1);
    next.clear();
    auto at = std::partition_point(list.begin() + static_cast<std::ptrdiff_t>(from), list.end(),
                                   [this, total](int entry) { return At(length_, entry) > total; });
    for (; at != list.end() && At(length_, *at) >= shortest; ++at) {
        if (!tick(shared, TestUnits))
            return false;
        if (excess(*at, blanks) <= blanks)
            next.push_back(*at);
    }
    return true;
}

// Reports the anagrams that the path completes with one more word: one of
// exactly the letters left, from `from` on among this depth's candidates.
bool WordsFirst::lastWord(Run& shared, std::size_t from, int total, int blanks) {
    const std::vector<int>& list = At(candidates_, depth_);
    const auto longer = [this, total](int entry) { return At(length_, entry) > total; };
    const auto asLong = [this, total](int entry) { return At(length_, entry) >= total; };
    const auto begin =
        std::partition_point(list.begin() + static_cast<std::ptrdiff_t>(from), list.end(), longer);
    const auto end = std::partition_point(begin, list.end(), asLong);
    // Looking up each multiset of letters the blanks left can stand for
    // costs a few tests each.
    if (4 * At(extraChoices_, blanks) < static_cast<double>(end - begin))
        return lastWordByLetters(shared, total, blanks);
    for (auto at = begin; at != end; ++at) {
        if (!tick(shared, TestUnits))
            return false;
        // As long as the letters left, and no more beyond them than the
        // blanks: it holds them all.
        if (excess(*at, blanks) <= blanks && !completes(shared, *at))
            return false;
    }
    return true;
}

// The same by looking up the letters left with each multiset of `blanks`
// extra letters.
bool WordsFirst::lastWordByLetters(Run& shared, int total, int blanks) {
    const auto kinds = static_cast<int>(extraLetters_.size());
    const auto n = static_cast<std::size_t>(blanks);
    std::fill(extras_.begin(), extras_.begin() + static_cast<std::ptrdiff_t>(n), 0);
    if (n > 0 && kinds == 0)
        return true;
    const int least = path_[static_cast<std::size_t>(depth_)];
    for (;;) {
        if (!tick(shared, 2 * TestUnits))
            return false;
        std::uint64_t hash = leftHash_;
        for (std::size_t i = 0; i < n; ++i)
            hash += At(letterHash_, At(extraLetters_, extras_[i]));
        const int last = lookup(hash, total, blanks);
        if (last >= least && !completes(shared, last))
            return false;
        std::size_t i = n;
        while (i > 0 && extras_[i - 1] == kinds - 1)
            --i;
        if (i == 0)
            return true;
        const int next = extras_[i - 1] + 1;
        for (std::size_t j = i - 1; j < n; ++j)
            extras_[j] = next;
    }
}

// The entry of `total` letters that are the letters left and the first
// `blanks` of extras_, or -1.
int WordsFirst::lookup(std::uint64_t hash, int total, int blanks) const {
    const std::size_t mask = table_.size() - 1;
    const auto n = static_cast<std::size_t>(blanks);
    for (std::size_t slot = SlotOf(hash, tableBits_);; slot = (slot + 1) & mask) {
        const int entry = table_[slot];
        if (entry < 0)
            return -1;
        // As long as the letters left with the blanks, and as many beyond
        // them as blanks: it holds them all. Then what is beyond them must
        // be the extras, letter by letter.
        if (At(hash_, entry) != hash || At(length_, entry) != total ||
            excess(entry, blanks) != blanks)
            continue;
        bool same = true;
        for (int i = At(letterBegin_, entry); i < At(letterBegin_, entry + 1) && same; ++i) {
            const LetterCount& letter = At(letters_, i);
            const int beyond = letter.count - At(left_, letter.letter);
            if (beyond <= 0)
                continue;
            const auto isIt = [this, &letter](int extra) {
                return At(extraLetters_, extra) == letter.letter;
            };
            same = beyond == std::count_if(extras_.begin(),
                                           extras_.begin() + static_cast<std::ptrdiff_t>(n), isIt);
        }
        if (same)
            return entry;
    }
}

// Reports the path with `last` as its last word, unless that takes a word
// too often.
bool WordsFirst::completes(Run& shared, int last) {
    const auto d = static_cast<std::size_t>(depth_);
    const int uses = last == path_[d] ? uses_[d] + 1 : 1;
    if (distinct_ && uses > At(wordCount_, last))
        return true;
    path_[d + 1] = last;
    uses_[d + 1] = uses;
    return report(shared, depth_ + 2);
}

// Every depth's candidate being tested or explored further down is the one
// before its next: work is only counted once one is taken.
double WordsFirst::shareDone() const {
    double share = 0;
    double width = 1;
    for (int d = 0; d <= depth_; ++d) {
        const auto size = static_cast<double>(At(candidates_, d).size());
        share += width * static_cast<double>(At(frames_, d).next - 1) / size;
        width /= size;
    }
    return share;
}

bool WordsFirst::report(Run& shared, int words) {
    return ReportAnagrams(shared, path_.data(), words, entryWords_, distinct_,
                          [this, &shared](int units) { return tick(shared, units); });
}

bool WordsFirst::solve(Run& shared) {
    if (length_.empty() || maxWords_ < 1)
        return true;
    // Every entry fits the phrase with all its blanks: Prepare left out the rest.
    std::vector<int>& root = candidates_[0];
    root.resize(length_.size());
    std::iota(root.begin(), root.end(), 0);
    frames_[0] = Frame{0, totalLength_, blanks_};
    depth_ = 0;
    for (;;) {
        const auto d = static_cast<std::size_t>(depth_);
        Frame& f = frames_[d];
        const std::vector<int>& list = candidates_[d];
        if (f.next >= list.size()) {
            if (depth_ == 0)
                return true;
            --depth_;
            putBack(path_[d - 1]);
            continue;
        }
        const int entry = list[f.next++];
        const int length = At(length_, entry);
        const int wordsLeft = maxWords_ - depth_;
        // The words from here on are no longer than this one: when as many
        // of its length cannot hold the letters left, no later one can.
        if (static_cast<std::int64_t>(length) * wordsLeft < f.total) {
            f.next = list.size();
            continue;
        }
        if (!tick(shared, TestUnits))
            return false;
        const int over = excess(entry, f.blanks);
        if (over > f.blanks)
            continue;
        const int uses = d > 0 && path_[d - 1] == entry ? uses_[d - 1] + 1 : 1;
        if (distinct_ && uses > At(wordCount_, entry))
            continue;
        path_[d] = entry;
        uses_[d] = uses;
        const int total = f.total - length;
        if (total == 0) {
            if (!report(shared, depth_ + 1))
                return false;
            continue;
        }
        if (wordsLeft == 1)
            continue;
        const int blanks = f.blanks - over;
        take(entry);
        if (wordsLeft == 2) {
            const bool going = lastWord(shared, f.next - 1, total, blanks);
            putBack(entry);
            if (!going)
                return false;
            continue;
        }
        // Each word after the next is no longer than this one, so the next
        // is at least what they cannot hold.
        const std::int64_t shortest = total - static_cast<std::int64_t>(wordsLeft - 2) * length;
        if (!narrow(shared, f.next - 1, total, blanks, shortest))
            return false;
        if (candidates_[d + 1].empty()) {
            putBack(entry);
            continue;
        }
        frames_[d + 1] = Frame{0, total, blanks};
        ++depth_;
    }
}

} // namespace

// Measured on "vorlaine developers" over 64k words: with two words the
// words-first search is 20 to 300 times quicker at every number of blanks, its
// last word being looked up. With three or four the exact solver of each
// target is 3 to 8 times quicker while the targets are few (26 for one blank
// of 26 letters, 3,276 for three) and about as quick at 23,751 (four); past
// that the targets, most of them without an anagram, swamp it. For a short
// phrase the words-first search is the quicker throughout.
bool PreferWordsFirst(const AnagramEntries& prepared, double targets) {
    return prepared.maxWords <= 2 || targets >= 20000;
}

bool SearchWordsFirst(Run& shared) {
    return WordsFirst(shared.prepared).solve(shared);
}

} // namespace Anagram
} // namespace Vorlaine
