#include "search/AnagramWordsFirst.h"

#include "search/AnagramReport.h"

#include <algorithm>
#include <numeric>

namespace Vorlaine {
namespace Anagram {

namespace {

// Work units of one candidate tested against the letters left: a few
// letters looked up, some nanoseconds.
constexpr int TestUnits = 4;

// Multisets of entries in non-decreasing search order, longest entry first,
// so that the entries of one length are one range of each candidate list.
// Each depth keeps the candidates that still fit, for the deeper ones.
class WordsFirst {
public:
    explicit WordsFirst(const AnagramEntries& prepared);

    // False when the search was stopped.
    bool solve(Run& shared);

private:
    struct Frame {
        std::size_t next; // into the depth's candidates
        int total;        // letters left: the phrase's and the blanks
        int blanks;       // blanks left
    };

    int excess(int entry, int most) const;
    void take(int entry);
    void putBack(int entry);
    bool narrow(Run& shared, std::size_t from, int total, int blanks, std::int64_t shortest);
    bool lastWord(Run& shared, std::size_t from, int total, int blanks);
    bool tick(Run& shared, int units) {
        shared.work += units;
        return shared.work < shared.nextProgress || progressDue(shared);
    }
    bool progressDue(Run& shared);
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

    std::vector<int> left_;  // the phrase's letters left, per letter
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
    const auto depths = static_cast<std::size_t>(std::max(maxWords_, 0)) + 1;
    candidates_.resize(depths);
    frames_.resize(depths);
    path_.assign(depths, 0);
    uses_.assign(depths, 0);
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
        taken_.push_back(used);
    }
}

inline void WordsFirst::putBack(int entry) {
    for (int i = At(letterBegin_, entry + 1); i-- > At(letterBegin_, entry);) {
        At(left_, At(letters_, i).letter) += taken_.back();
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

// Reports the anagrams that the path completes with one more word, from
// `from` on among this depth's candidates: one of exactly the letters left.
bool WordsFirst::lastWord(Run& shared, std::size_t from, int total, int blanks) {
    const std::vector<int>& list = At(candidates_, depth_);
    auto at = std::partition_point(list.begin() + static_cast<std::ptrdiff_t>(from), list.end(),
                                   [this, total](int entry) { return At(length_, entry) > total; });
    const auto d = static_cast<std::size_t>(depth_);
    for (; at != list.end() && At(length_, *at) == total; ++at) {
        if (!tick(shared, TestUnits))
            return false;
        const int last = *at;
        // As long as the letters left, and no more beyond them than the
        // blanks: it holds them all.
        if (excess(last, blanks) > blanks)
            continue;
        const int uses = last == path_[d] ? uses_[d] + 1 : 1;
        if (distinct_ && uses > At(wordCount_, last))
            continue;
        path_[d + 1] = last;
        uses_[d + 1] = uses;
        if (!report(shared, depth_ + 2))
            return false;
    }
    return true;
}

double WordsFirst::shareDone() const {
    double share = 0;
    double width = 1;
    for (int d = 0; d <= depth_; ++d) {
        const auto size = static_cast<double>(At(candidates_, d).size());
        const std::size_t next = At(frames_, d).next;
        // Below the top, the candidate being explored further down.
        const double at = static_cast<double>(d < depth_ ? next - 1 : next);
        share += width * at / size;
        width /= size;
    }
    return share;
}

bool WordsFirst::progressDue(Run& shared) {
    shared.nextProgress = shared.work + ProgressInterval;
    if (!shared.progress)
        return true;
    const double share = std::clamp(shareDone(), shared.lastShare, 1.0);
    shared.lastShare = share;
    if (!shared.progress(share)) {
        shared.stopped = true;
        return false;
    }
    return true;
}

bool WordsFirst::report(Run& shared, int words) {
    const EntryWords entries{wordStart_.data(), wordCount_.data(), words_.data(), wordRank_.data()};
    return ReportAnagrams(shared, path_.data(), words, entries, distinct_,
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

bool PreferWordsFirst(const AnagramEntries& prepared, double targets) {
    return prepared.blanks > 0 && targets > 0;
}

bool SearchWordsFirst(Run& shared) {
    return WordsFirst(shared.prepared).solve(shared);
}

} // namespace Anagram
} // namespace Vorlaine
