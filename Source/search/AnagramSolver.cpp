#include "search/AnagramSolver.h"

#include "search/AnagramLanes.h"

#include <QtGlobal>
#include <algorithm>
#include <bit>
#include <span>

namespace Vorlaine {
namespace Anagram {

namespace {

inline std::uint64_t SplitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

inline std::size_t SlotOf(std::uint64_t hash, int bits) {
    return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15ull) >> (64 - bits));
}

// The entry's letters, as prepared.
std::span<const LetterCount> LettersOf(const AnagramEntries& prepared, int entry) {
    return std::span<const LetterCount>(prepared.entryLetters)
        .subspan(static_cast<std::size_t>(At(prepared.letterBegin, entry)),
                 static_cast<std::size_t>(At(prepared.letterBegin, entry + 1) -
                                          At(prepared.letterBegin, entry)));
}

// The exact search for one multiset of letters, over the entries that fit it.
//
// The target's letters get lanes by rarity among the entries, rarest first.
// A search node covers the first letter left, so its candidates are the
// entries whose first letter that is (a group), and entries taken from one
// group go in non-decreasing order: every multiset of entries is met once.
// Within a group entries go longest first, so that the lengths that can still
// complete the anagram form one range. Candidates are tested a column block at
// a time, the last word of an anagram is looked up by its letters, and nodes
// that found nothing are remembered, for other paths to the same remainder.
template <typename Count> class Solver {
public:
    Solver(const AnagramEntries& prepared, const std::vector<int>& target,
           const std::vector<int>& entries);

    // False when the search was stopped.
    bool solve(Run& shared);

private:
    using B = Block<Count>;
    static constexpr int PerBlock = B::Lanes;

    struct Frame {
        int lo, end;         // candidate entries
        int next;            // first entry of the next column block to test
        std::size_t column;  // its columns
        int columns;         // lanes from the group's on
        unsigned pending;    // fitting entries of the block tested last, not yet taken
        int pendingBase;     // entry of bit 0
        int start;           // least entry allowed
        int total;           // letters left
        std::uint64_t hash;  // of the letters left
        std::int64_t before; // anagrams reported before
    };

    // The constructor's steps.
    std::vector<int> laneLetters(const AnagramEntries& prepared, const std::vector<int>& target,
                                 const std::vector<int>& entries);
    void placeEntries(const AnagramEntries& prepared, const std::vector<int>& entries,
                      const std::vector<int>& laneOf, const std::vector<std::uint64_t>& laneHash);
    void placeColumns();
    void placeTable();
    void setTarget(const std::vector<int>& target, const std::vector<int>& letters,
                   const std::vector<std::uint64_t>& laneHash);
    void sizeSearch();

    const B* counts(int entry) const {
        return &entryCounts_[static_cast<std::size_t>(entry) * static_cast<std::size_t>(blocks_)];
    }
    B* remainder(int depth) {
        return &remainders_[static_cast<std::size_t>(depth) * static_cast<std::size_t>(blocks_)];
    }
    B* wanted(int depth) {
        return &wanted_[static_cast<std::size_t>(depth) * static_cast<std::size_t>(lanes_)];
    }
    int lookup(std::uint64_t hash, const B* letters) const;
    bool enter(int depth);
    bool knownDead(std::uint64_t hash, int wordsLeft, const B* rest, int start) const;
    void rememberDead(std::uint64_t hash, int wordsLeft, const B* rest, int start);
    bool tick(Run& shared, int units) {
        shared.work += units;
        return shared.work < shared.nextProgress || progressDue(shared);
    }
    bool progressDue(Run& shared);
    double shareDone() const;
    bool report(Run& shared, int words);

    int lanes_ = 0;
    int blocks_ = 1;
    bool possible_ = true;
    int maxWords_ = 1;
    bool distinct_ = false;

    // Entries in search order.
    std::vector<B> entryCounts_;
    std::vector<int> length_;
    std::vector<std::uint64_t> hash_;
    std::vector<int> wordStart_; // into words_ and wordRank_
    std::vector<int> wordCount_;
    std::vector<int> words_; // the entries' words, by rank
    std::vector<int> wordRank_;

    std::vector<int> groupBegin_;           // per lane, and one past the last
    std::vector<int> longestFrom_;          // longest entry of the lane's group or a later one
    std::vector<std::size_t> groupColumns_; // per lane: where its column blocks start
    std::vector<B> columns_;

    // Entries by their letters, for the last word of an anagram.
    struct Slot {
        std::uint32_t tag; // the hash's high half
        int entry;         // -1: empty
    };
    std::vector<Slot> table_;
    int tableBits_ = 0;

    // Remainders that had no completion with wordsLeft words from entry
    // `start` on. Grows to a bound, then starts over.
    struct DeadEnd {
        std::uint64_t hash;
        int wordsLeft; // 0: empty
        int start;
    };
    std::vector<DeadEnd> dead_;
    std::vector<B> deadCounts_;
    int deadBits_ = 0;
    int mostDeadBits_ = 0;
    std::size_t deadUsed_ = 0;

    std::vector<B> target_;
    std::uint64_t targetHash_ = 0;
    int targetTotal_ = 0;

    std::vector<Frame> frames_;
    std::vector<B> remainders_;
    std::vector<B> wanted_;
    std::vector<int> path_;
    std::vector<int> uses_; // how many times in a row path_[d] was taken, up to d
    int depth_ = 0;
};

template <typename Count>
Solver<Count>::Solver(const AnagramEntries& prepared, const std::vector<int>& target,
                      const std::vector<int>& entries)
    : maxWords_(prepared.maxWords), distinct_(prepared.distinct) {
    const std::vector<int> letters = laneLetters(prepared, target, entries);
    if (!possible_)
        return;
    lanes_ = static_cast<int>(letters.size());
    std::vector<int> laneOf(static_cast<std::size_t>(prepared.letters), -1);
    for (int lane = 0; lane < lanes_; ++lane)
        At(laneOf, At(letters, lane)) = lane;
    blocks_ = (lanes_ + B::Lanes - 1) / B::Lanes;

    // A remainder's hash is the sum of its letters' hashes, so that taking an
    // entry away takes its hash away.
    std::uint64_t seed = 0x5EED;
    std::vector<std::uint64_t> laneHash(static_cast<std::size_t>(lanes_));
    for (auto& h : laneHash)
        h = SplitMix(seed);

    placeEntries(prepared, entries, laneOf, laneHash);
    placeColumns();
    placeTable();
    setTarget(target, letters, laneHash);
    sizeSearch();
}

// Lanes: the target's letters, those in fewer entries first. Clears
// possible_ when the target is empty or has a letter that no entry covers.
template <typename Count>
std::vector<int> Solver<Count>::laneLetters(const AnagramEntries& prepared,
                                            const std::vector<int>& target,
                                            const std::vector<int>& entries) {
    std::vector<int> containing(static_cast<std::size_t>(prepared.letters), 0);
    for (const int entry : entries)
        for (const LetterCount& letter : LettersOf(prepared, entry))
            ++At(containing, letter.letter);
    std::vector<int> letters;
    for (int letter = 0; letter < prepared.letters; ++letter) {
        if (At(target, letter) == 0)
            continue;
        if (At(containing, letter) == 0)
            possible_ = false; // no entry can cover it
        letters.push_back(letter);
        targetTotal_ += At(target, letter);
    }
    if (!possible_ || targetTotal_ == 0) {
        possible_ = false;
        return letters;
    }
    std::stable_sort(letters.begin(), letters.end(),
                     [&](int a, int b) { return At(containing, a) < At(containing, b); });
    return letters;
}

// The entries in search order: by first lane, longest first, then as
// prepared; with their counts, hashes and words, and where each group starts.
template <typename Count>
void Solver<Count>::placeEntries(const AnagramEntries& prepared, const std::vector<int>& entries,
                                 const std::vector<int>& laneOf,
                                 const std::vector<std::uint64_t>& laneHash) {
    const auto laneBlocks = static_cast<std::size_t>(blocks_);
    struct Key {
        int firstLane;
        int length;
        int entry;
    };
    std::vector<Key> keys;
    keys.reserve(entries.size());
    for (const int entry : entries) {
        int first = lanes_;
        for (const LetterCount& letter : LettersOf(prepared, entry))
            first = std::min(first, At(laneOf, letter.letter));
        keys.push_back({first, At(prepared.length, entry), entry});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        if (a.firstLane != b.firstLane)
            return a.firstLane < b.firstLane;
        if (a.length != b.length)
            return a.length > b.length;
        return a.entry < b.entry;
    });

    const int count = static_cast<int>(keys.size());
    entryCounts_.assign(keys.size() * laneBlocks, B{});
    length_.resize(keys.size());
    hash_.resize(keys.size());
    wordStart_.resize(keys.size());
    wordCount_.resize(keys.size());
    groupBegin_.assign(static_cast<std::size_t>(lanes_) + 1, 0);
    longestFrom_.assign(static_cast<std::size_t>(lanes_) + 1, 0);
    for (int i = 0; i < count; ++i) {
        const Key& key = At(keys, i);
        B* vector = &entryCounts_[static_cast<std::size_t>(i) * laneBlocks];
        std::uint64_t hash = 0;
        for (const LetterCount& letter : LettersOf(prepared, key.entry)) {
            const int lane = At(laneOf, letter.letter);
            vector[lane / B::Lanes].lane[lane % B::Lanes] = static_cast<Count>(letter.count);
            hash += static_cast<std::uint64_t>(letter.count) * At(laneHash, lane);
        }
        At(length_, i) = key.length;
        At(hash_, i) = hash;
        At(wordStart_, i) = static_cast<int>(words_.size());
        for (int w = At(prepared.wordBegin, key.entry); w < At(prepared.wordBegin, key.entry + 1);
             ++w) {
            const int word = At(prepared.entryWords, w);
            words_.push_back(word);
            wordRank_.push_back(At(prepared.rank, word));
        }
        At(wordCount_, i) = static_cast<int>(words_.size()) - At(wordStart_, i);
        ++At(groupBegin_, key.firstLane + 1);
        At(longestFrom_, key.firstLane) = std::max(At(longestFrom_, key.firstLane), key.length);
    }
    for (int lane = 0; lane < lanes_; ++lane)
        At(groupBegin_, lane + 1) += At(groupBegin_, lane);
    for (int lane = lanes_ - 1; lane >= 0; --lane)
        At(longestFrom_, lane) = std::max(At(longestFrom_, lane), At(longestFrom_, lane + 1));
}

// Each group's entries as column blocks of its lane and the later ones:
// the earlier lanes are zero in both the entries and any remainder that
// the group serves.
template <typename Count> void Solver<Count>::placeColumns() {
    groupColumns_.assign(static_cast<std::size_t>(lanes_), 0);
    std::size_t columnCount = 0;
    for (int lane = 0; lane < lanes_; ++lane) {
        At(groupColumns_, lane) = columnCount;
        const int size = At(groupBegin_, lane + 1) - At(groupBegin_, lane);
        columnCount += static_cast<std::size_t>((size + PerBlock - 1) / PerBlock) *
                       static_cast<std::size_t>(lanes_ - lane);
    }
    columns_.assign(columnCount, B{});
    for (int lane = 0; lane < lanes_; ++lane) {
        const int columnsPerBlock = lanes_ - lane;
        for (int entry = At(groupBegin_, lane); entry < At(groupBegin_, lane + 1); ++entry) {
            const int offset = entry - At(groupBegin_, lane);
            B* block = &columns_[At(groupColumns_, lane) +
                                 static_cast<std::size_t>(offset / PerBlock * columnsPerBlock)];
            for (int c = 0; c < columnsPerBlock; ++c)
                block[c].lane[offset % PerBlock] = LaneOf(counts(entry), lane + c);
        }
    }
}

// Entries by their letters, for the last word of an anagram.
template <typename Count> void Solver<Count>::placeTable() {
    tableBits_ = 4;
    while ((std::size_t{1} << tableBits_) < 2 * length_.size())
        ++tableBits_;
    table_.assign(std::size_t{1} << tableBits_, Slot{0, -1});
    const std::size_t mask = table_.size() - 1;
    const int count = static_cast<int>(length_.size());
    for (int i = 0; i < count; ++i) {
        std::size_t slot = SlotOf(At(hash_, i), tableBits_);
        while (table_[slot].entry >= 0)
            slot = (slot + 1) & mask;
        table_[slot] = Slot{static_cast<std::uint32_t>(At(hash_, i) >> 32), i};
    }
}

template <typename Count>
void Solver<Count>::setTarget(const std::vector<int>& target, const std::vector<int>& letters,
                              const std::vector<std::uint64_t>& laneHash) {
    target_.assign(static_cast<std::size_t>(blocks_), B{});
    for (int lane = 0; lane < lanes_; ++lane) {
        const int letterCount = At(target, At(letters, lane));
        target_[static_cast<std::size_t>(lane / B::Lanes)].lane[lane % B::Lanes] =
            static_cast<Count>(letterCount);
        targetHash_ += static_cast<std::uint64_t>(letterCount) * At(laneHash, lane);
    }
}

// The stacks of the search, and the bound of the dead ends.
template <typename Count> void Solver<Count>::sizeSearch() {
    const auto laneBlocks = static_cast<std::size_t>(blocks_);
    maxWords_ = std::min(maxWords_, targetTotal_);
    const auto depths = static_cast<std::size_t>(maxWords_) + 1;
    frames_.resize(depths);
    remainders_.assign(depths * laneBlocks, B{});
    wanted_.assign(depths * static_cast<std::size_t>(lanes_), B{});
    path_.assign(depths, 0);
    uses_.assign(depths, 0);

    // At most some 16 MB of dead ends.
    const std::size_t slotBytes = sizeof(DeadEnd) + laneBlocks * sizeof(B);
    mostDeadBits_ = 10;
    while (mostDeadBits_ < 20 && (std::size_t{2} << mostDeadBits_) * slotBytes <= (16u << 20))
        ++mostDeadBits_;
}

template <typename Count>
inline int Solver<Count>::lookup(std::uint64_t hash, const B* letters) const {
    const std::size_t mask = table_.size() - 1;
    const auto tag = static_cast<std::uint32_t>(hash >> 32);
    for (std::size_t slot = SlotOf(hash, tableBits_);; slot = (slot + 1) & mask) {
        const Slot& s = table_[slot];
        if (s.entry < 0)
            return -1;
        if (s.tag == tag && Equal(counts(s.entry), letters, blocks_))
            return s.entry;
    }
}

inline std::uint64_t DeadKey(std::uint64_t hash, int wordsLeft) {
    return hash + static_cast<std::uint64_t>(wordsLeft) * 0x632BE59BD9B4E019ull;
}

template <typename Count>
bool Solver<Count>::knownDead(std::uint64_t hash, int wordsLeft, const B* rest, int start) const {
    if (dead_.empty())
        return false;
    const std::size_t mask = dead_.size() - 1;
    for (std::size_t slot = SlotOf(DeadKey(hash, wordsLeft), deadBits_);;
         slot = (slot + 1) & mask) {
        const DeadEnd& d = dead_[slot];
        if (d.wordsLeft == 0)
            return false;
        if (d.hash == hash && d.wordsLeft == wordsLeft &&
            Equal(&deadCounts_[slot * static_cast<std::size_t>(blocks_)], rest, blocks_))
            return d.start <= start;
    }
}

template <typename Count>
void Solver<Count>::rememberDead(std::uint64_t hash, int wordsLeft, const B* rest, int start) {
    const auto blocks = static_cast<std::size_t>(blocks_);
    if (2 * (deadUsed_ + 1) > dead_.size()) {
        std::vector<DeadEnd> old;
        std::vector<B> oldCounts;
        if (deadBits_ < mostDeadBits_) {
            deadBits_ = deadBits_ == 0 ? 10 : deadBits_ + 1;
            old.swap(dead_);
            oldCounts.swap(deadCounts_);
        }
        dead_.assign(std::size_t{1} << deadBits_, DeadEnd{0, 0, 0});
        deadCounts_.assign(dead_.size() * blocks, B{});
        deadUsed_ = 0;
        for (std::size_t i = 0; i < old.size(); ++i)
            if (old[i].wordsLeft != 0)
                rememberDead(old[i].hash, old[i].wordsLeft, &oldCounts[i * blocks], old[i].start);
    }
    const std::size_t mask = dead_.size() - 1;
    for (std::size_t slot = SlotOf(DeadKey(hash, wordsLeft), deadBits_);;
         slot = (slot + 1) & mask) {
        DeadEnd& d = dead_[slot];
        B* counts = &deadCounts_[slot * blocks];
        if (d.wordsLeft == 0) {
            d = DeadEnd{hash, wordsLeft, start};
            std::copy(rest, rest + blocks_, counts);
            ++deadUsed_;
            return;
        }
        if (d.hash == hash && d.wordsLeft == wordsLeft && Equal(counts, rest, blocks_)) {
            d.start = std::min(d.start, start);
            return;
        }
    }
}

// Readies the node at `depth` from its remainder, total, hash and start;
// false when no candidate is worth testing.
template <typename Count> bool Solver<Count>::enter(int depth) {
    Frame& f = frames_[static_cast<std::size_t>(depth)];
    const B* rest = remainder(depth);
    const int first = FirstLane(rest);
    const int wordsLeft = maxWords_ - depth;
    const int longest = At(longestFrom_, first);
    if (static_cast<std::int64_t>(wordsLeft) * longest < f.total)
        return false;
    const int groupBegin = At(groupBegin_, first);
    const int groupEnd = At(groupBegin_, first + 1);
    f.start = std::max(f.start, groupBegin);
    // Candidates fit in the letters left, and leave no more than the other
    // words can hold.
    const int shortest = f.total - (wordsLeft - 1) * longest;
    const auto lengthBegin = length_.begin();
    f.lo = static_cast<int>(std::partition_point(lengthBegin + f.start, lengthBegin + groupEnd,
                                                 [&f](int length) { return length > f.total; }) -
                            lengthBegin);
    f.end = static_cast<int>(
        std::partition_point(lengthBegin + f.lo, lengthBegin + groupEnd,
                             [shortest](int length) { return length >= shortest; }) -
        lengthBegin);
    if (f.lo >= f.end)
        return false;
    // The last two words are found by lookup, which is as quick as a dead end.
    if (wordsLeft >= 3 && knownDead(f.hash, wordsLeft, rest, f.start))
        return false;

    const int block = (f.lo - groupBegin) / PerBlock;
    f.columns = lanes_ - first;
    f.next = groupBegin + block * PerBlock;
    f.column = At(groupColumns_, first) +
               static_cast<std::size_t>(block) * static_cast<std::size_t>(f.columns);
    f.pending = 0;
    B* want = wanted(depth);
    for (int c = 0; c < f.columns; ++c)
        Broadcast(LaneOf(rest, first + c), want[c]);
    return true;
}

template <typename Count> double Solver<Count>::shareDone() const {
    double share = 0;
    double width = 1;
    for (int d = 0; d <= depth_; ++d) {
        const Frame& f = At(frames_, d);
        int at = At(path_, d); // the candidate being explored further down
        if (d == depth_)
            at = f.pending != 0 ? f.pendingBase + std::countr_zero(f.pending)
                                : std::min(f.next, f.end);
        const double size = f.end - f.lo;
        share += width * std::max(0, at - f.lo) / size;
        width /= size;
    }
    return share;
}

template <typename Count> bool Solver<Count>::progressDue(Run& shared) {
    shared.nextProgress = shared.work + ProgressInterval;
    if (!shared.progress)
        return true;
    const double share =
        std::clamp(shared.targetBase + shared.targetWidth * shareDone(), shared.lastShare, 1.0);
    shared.lastShare = share;
    if (!shared.progress(share)) {
        shared.stopped = true;
        return false;
    }
    return true;
}

// Reports every anagram of the entries path_[0 .. words): each shared of one
// entry becomes every combination of its words.
template <typename Count> bool Solver<Count>::report(Run& shared, int words) {
    ++shared.anagrams;
    const auto n = static_cast<std::size_t>(words);
    int* const indices = shared.indices.data();
    int* const ranks = shared.ranks.data();
    int* const choice = shared.choice.data();
    int* const runEnd = shared.runEnd.data();
    bool single = true;
    for (std::size_t i = n; i-- > 0;) {
        runEnd[i] = i + 1 < n && path_[i + 1] == path_[i] ? runEnd[i + 1] : static_cast<int>(i) + 1;
        single = single && At(wordCount_, path_[i]) == 1;
    }
    for (std::size_t i = 0; i < n; ++i)
        choice[i] = distinct_ && i > 0 && path_[i] == path_[i - 1] ? choice[i - 1] + 1 : 0;

    const std::size_t last = n - 1;
    const int lastStart = At(wordStart_, path_[last]);
    const int lastCount = At(wordCount_, path_[last]);
    for (;;) {
        // Insertion by rank; anagrams are a few words long.
        std::size_t at = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const int w = At(wordStart_, path_[i]) + choice[i];
            const int rank = At(wordRank_, w);
            for (at = i; at > 0 && ranks[at - 1] > rank; --at) {
                ranks[at] = ranks[at - 1];
                indices[at] = indices[at - 1];
            }
            ranks[at] = rank;
            indices[at] = At(words_, w);
        }
        if (!shared.found(std::span<const int>(indices, n))) {
            shared.stopped = true;
            return false;
        }
        if (single)
            return true;
        // The last slot moves on most often. Its next word ranks later than
        // the one before, so it can only move towards the end.
        while (choice[last] + 1 < lastCount) {
            const int w = lastStart + ++choice[last];
            const int rank = At(wordRank_, w);
            for (; at + 1 < n && ranks[at + 1] < rank; ++at) {
                ranks[at] = ranks[at + 1];
                indices[at] = indices[at + 1];
            }
            ranks[at] = rank;
            indices[at] = At(words_, w);
            if (!tick(shared, 16))
                return false;
            if (!shared.found(std::span<const int>(indices, n))) {
                shared.stopped = true;
                return false;
            }
        }
        if (!tick(shared, 16))
            return false;
        // Otherwise the last slot before it that can still move moves on, and
        // the slots after that one start over.
        std::size_t i = last;
        for (; i-- > 0;) {
            const int available = At(wordCount_, path_[i]);
            const int later = runEnd[i] - static_cast<int>(i) - 1;
            if (choice[i] < (distinct_ ? available - 1 - later : available - 1))
                break;
        }
        if (i == static_cast<std::size_t>(-1))
            return true;
        ++choice[i];
        for (std::size_t j = i + 1; j < n; ++j)
            choice[j] = path_[j] == path_[j - 1] ? choice[j - 1] + (distinct_ ? 1 : 0) : 0;
    }
}

// One loop over an explicit stack of frames, kept whole: it is the search's hot path.
template <typename Count> bool Solver<Count>::solve(Run& shared) {
    if (!possible_)
        return true;
    std::copy(target_.begin(), target_.end(), remainder(0));
    if (maxWords_ == 1) {
        const int entry = lookup(targetHash_, remainder(0));
        if (entry < 0)
            return true;
        path_[0] = entry;
        return report(shared, 1);
    }
    Frame& root = frames_[0];
    root.start = 0;
    root.total = targetTotal_;
    root.hash = targetHash_;
    root.before = shared.anagrams;
    depth_ = 0;
    if (!enter(0))
        return true;
    for (;;) {
        Frame& f = At(frames_, depth_);
        if (f.pending == 0) {
            if (f.next >= f.end) {
                const int wordsLeft = maxWords_ - depth_;
                if (shared.anagrams == f.before && wordsLeft >= 3) {
                    // With distinct words, how often the entry before was
                    // taken limits the first candidate only.
                    const int start = distinct_ && depth_ > 0 && At(path_, depth_ - 1) == f.start
                                          ? f.start + 1
                                          : f.start;
                    rememberDead(f.hash, wordsLeft, remainder(depth_), start);
                }
                if (depth_ == 0)
                    return true;
                --depth_;
                continue;
            }
            unsigned fit = ColumnFits(&columns_[f.column], wanted(depth_), f.columns);
            if (f.next < f.lo)
                fit &= ~0u << (f.lo - f.next);
            if (f.end - f.next < PerBlock)
                fit &= (1u << (f.end - f.next)) - 1;
            f.pending = fit;
            f.pendingBase = f.next;
            f.next += PerBlock;
            f.column += static_cast<std::size_t>(f.columns);
            if (!tick(shared, PerBlock))
                return false;
            continue;
        }
        const int entry = f.pendingBase + std::countr_zero(f.pending);
        f.pending &= f.pending - 1;

        const auto d = static_cast<std::size_t>(depth_);
        const int uses = d > 0 && path_[d - 1] == entry ? uses_[d - 1] + 1 : 1;
        if (distinct_ && uses > At(wordCount_, entry))
            continue;
        path_[d] = entry;
        uses_[d] = uses;
        const int length = At(length_, entry);
        if (length == f.total) {
            if (!report(shared, depth_ + 1))
                return false;
            continue;
        }
        B* next = remainder(depth_ + 1);
        Subtract(remainder(depth_), counts(entry), next, blocks_);
        const std::uint64_t hash = f.hash - At(hash_, entry);
        if (depth_ + 2 == maxWords_) {
            // One word left: it must be the rest exactly.
            const int last = lookup(hash, next);
            if (last < entry)
                continue;
            const int lastUses = last == entry ? uses + 1 : 1;
            if (distinct_ && lastUses > At(wordCount_, last))
                continue;
            path_[d + 1] = last;
            uses_[d + 1] = lastUses;
            if (!report(shared, depth_ + 2))
                return false;
            continue;
        }
        Frame& child = frames_[d + 1];
        child.start = entry;
        child.total = f.total - length;
        child.hash = hash;
        child.before = shared.anagrams;
        if (enter(depth_ + 1))
            ++depth_;
    }
}

} // namespace

bool SearchTarget(Run& shared, bool wide, const std::vector<int>& target,
                  const std::vector<int>& entries) {
    if (wide)
        return Solver<quint16>(shared.prepared, target, entries).solve(shared);
    return Solver<quint8>(shared.prepared, target, entries).solve(shared);
}

} // namespace Anagram
} // namespace Vorlaine
