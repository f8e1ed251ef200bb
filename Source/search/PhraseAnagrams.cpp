#include "search/PhraseAnagrams.h"

#include <QtGlobal>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <iterator>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define VORLAINE_ANAGRAM_SSE2 1
#endif

namespace Vorlaine {

namespace {

// A letter of an entry: its id in the alphabet and how often it occurs.
struct LetterCount {
    int letter;
    int count;
};

template <typename Vector> inline auto& At(Vector& vector, int i) {
    return vector[static_cast<std::size_t>(i)];
}

} // namespace

// The words merged into entries by their letters, with all that does not
// depend on which letters the blanks stand for.
struct AnagramEntries {
    QString problem;
    int maxWords = 1;
    bool distinct = false;
    int blanks = 0;
    int totalLength = 0; // the phrase's letters and the blanks

    int letters = 0;               // the alphabet: the phrase's and the entries' letters
    std::vector<int> phraseCount;  // per letter
    std::vector<int> extraLetters; // letters a blank can stand for, ascending

    std::vector<int> rank; // per word

    // Entry i has the letters letterBegin[i] .. letterBegin[i + 1] of
    // entryLetters and the words wordBegin[i] .. wordBegin[i + 1] of
    // entryWords, those by rank.
    std::vector<int> letterBegin{0};
    std::vector<LetterCount> entryLetters;
    std::vector<int> wordBegin{0};
    std::vector<int> entryWords;
    std::vector<int> length;

    // Entries by the letters they have beyond the phrase's (with blanks only).
    std::map<std::vector<int>, std::vector<int>> byExcess;

    int entries() const { return static_cast<int>(length.size()); }
};

namespace {

// ---- Letter count vectors, sixteen bytes at a time ----

template <typename Count> struct alignas(16) Block {
    static constexpr int Lanes = 16 / static_cast<int>(sizeof(Count));
    Count lane[Lanes];
};

#ifdef VORLAINE_ANAGRAM_SSE2
template <typename Count> inline __m128i Load(const Block<Count>& block) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(block.lane));
}
template <typename Count> inline __m128i SubtractSaturated(__m128i a, __m128i b) {
    if constexpr (sizeof(Count) == 1)
        return _mm_subs_epu8(a, b);
    else
        return _mm_subs_epu16(a, b);
}
template <typename Count> inline __m128i IsZero(__m128i a) {
    if constexpr (sizeof(Count) == 1)
        return _mm_cmpeq_epi8(a, _mm_setzero_si128());
    else
        return _mm_cmpeq_epi16(a, _mm_setzero_si128());
}
inline unsigned ByteMask(__m128i a) {
    return static_cast<unsigned>(_mm_movemask_epi8(a));
}
#endif

template <typename Count>
inline void Subtract(const Block<Count>* whole, const Block<Count>* part, Block<Count>* rest,
                     int blocks) {
#ifdef VORLAINE_ANAGRAM_SSE2
    for (int b = 0; b < blocks; ++b) {
        const __m128i a = Load(whole[b]);
        const __m128i c = Load(part[b]);
        _mm_store_si128(reinterpret_cast<__m128i*>(rest[b].lane),
                        sizeof(Count) == 1 ? _mm_sub_epi8(a, c) : _mm_sub_epi16(a, c));
    }
#else
    for (int b = 0; b < blocks; ++b)
        for (int i = 0; i < Block<Count>::Lanes; ++i)
            rest[b].lane[i] = static_cast<Count>(whole[b].lane[i] - part[b].lane[i]);
#endif
}

template <typename Count>
inline bool Equal(const Block<Count>* a, const Block<Count>* b, int blocks) {
#ifdef VORLAINE_ANAGRAM_SSE2
    __m128i difference = _mm_xor_si128(Load(a[0]), Load(b[0]));
    for (int i = 1; i < blocks; ++i)
        difference = _mm_or_si128(difference, _mm_xor_si128(Load(a[i]), Load(b[i])));
    return ByteMask(IsZero<Count>(difference)) == 0xFFFF;
#else
    for (int i = 0; i < blocks; ++i)
        for (int j = 0; j < Block<Count>::Lanes; ++j)
            if (a[i].lane[j] != b[i].lane[j])
                return false;
    return true;
#endif
}

// The first lane with a nonzero count; the vector must not be all zero.
template <typename Count> inline int FirstLane(const Block<Count>* counts) {
    for (int b = 0;; ++b) {
#ifdef VORLAINE_ANAGRAM_SSE2
        const unsigned nonzero = ~ByteMask(IsZero<Count>(Load(counts[b]))) & 0xFFFFu;
        if (nonzero != 0)
            return b * Block<Count>::Lanes +
                   std::countr_zero(nonzero) / static_cast<int>(sizeof(Count));
#else
        for (int i = 0; i < Block<Count>::Lanes; ++i)
            if (counts[b].lane[i] != 0)
                return b * Block<Count>::Lanes + i;
#endif
    }
}

template <typename Count> inline Count LaneOf(const Block<Count>* counts, int lane) {
    return counts[lane / Block<Count>::Lanes].lane[lane % Block<Count>::Lanes];
}

template <typename Count> inline void Broadcast(Count value, Block<Count>& block) {
#ifdef VORLAINE_ANAGRAM_SSE2
    const __m128i all = sizeof(Count) == 1 ? _mm_set1_epi8(static_cast<char>(value))
                                           : _mm_set1_epi16(static_cast<short>(value));
    _mm_store_si128(reinterpret_cast<__m128i*>(block.lane), all);
#else
    std::fill(std::begin(block.lane), std::end(block.lane), value);
#endif
}

// Column blocks hold one lane of Block::Lanes entries side by side. Bit i of
// the answer is set when entry i holds no letter more often than `wanted`,
// which repeats the remainder's count of each lane.
template <typename Count>
inline unsigned ColumnFits(const Block<Count>* columns, const Block<Count>* wanted, int count) {
#ifdef VORLAINE_ANAGRAM_SSE2
    __m128i over = _mm_setzero_si128();
    for (int c = 0; c < count; ++c)
        over = _mm_or_si128(over, SubtractSaturated<Count>(Load(columns[c]), Load(wanted[c])));
    const __m128i fits = IsZero<Count>(over);
    if constexpr (sizeof(Count) == 1)
        return ByteMask(fits);
    else
        return ByteMask(_mm_packs_epi16(fits, _mm_setzero_si128()));
#else
    // Without branches, so that the compiler can vectorize it.
    Count over[Block<Count>::Lanes] = {};
    for (int c = 0; c < count; ++c)
        for (int i = 0; i < Block<Count>::Lanes; ++i)
            over[i] |= static_cast<Count>(columns[c].lane[i] > wanted[c].lane[i]);
    unsigned mask = 0;
    for (int i = 0; i < Block<Count>::Lanes; ++i)
        mask |= static_cast<unsigned>(over[i] == 0) << i;
    return mask;
#endif
}

inline std::uint64_t SplitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

inline std::size_t SlotOf(std::uint64_t hash, int bits) {
    return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15ull) >> (64 - bits));
}

// What the searches of one call share: the callbacks, the work done and the
// share reported so far.
struct Run {
    Run(const AnagramEntries& entries, const PhraseAnagrams::Found& foundCall,
        const PhraseAnagrams::Progress& progressCall)
        : prepared(entries), found(foundCall), progress(progressCall) {}

    const AnagramEntries& prepared;
    const PhraseAnagrams::Found& found;
    const PhraseAnagrams::Progress& progress;

    // The current target's place among all, for the share done.
    double targetBase = 0;
    double targetWidth = 1;
    double lastShare = 0;

    std::int64_t work = 0;
    std::int64_t nextProgress = 0;
    std::int64_t anagrams = 0; // combinations of entries reported, for the dead ends
    bool stopped = false;

    // The anagram being reported, by slot.
    std::vector<int> indices;
    std::vector<int> ranks;
    std::vector<int> choice; // word of the slot's entry
    std::vector<int> runEnd; // end of the slot's run of one entry
};

// Work units between two progress calls: a unit is one candidate tested, a
// nanosecond or less, or a sixteenth of an anagram reported.
constexpr std::int64_t ProgressInterval = 1 << 18;

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
    bool run(Run& run);

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
    bool tick(Run& run, int units) {
        run.work += units;
        return run.work < run.nextProgress || progressDue(run);
    }
    bool progressDue(Run& run);
    double shareDone() const;
    bool report(Run& run, int words);

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
    const auto lettersOf = [&prepared](int entry) {
        return std::span<const LetterCount>(prepared.entryLetters)
            .subspan(static_cast<std::size_t>(At(prepared.letterBegin, entry)),
                     static_cast<std::size_t>(At(prepared.letterBegin, entry + 1) -
                                              At(prepared.letterBegin, entry)));
    };

    // Lanes: the target's letters, those in fewer entries first.
    std::vector<int> containing(static_cast<std::size_t>(prepared.letters), 0);
    for (const int entry : entries)
        for (const LetterCount& letter : lettersOf(entry))
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
        return;
    }
    std::stable_sort(letters.begin(), letters.end(),
                     [&](int a, int b) { return At(containing, a) < At(containing, b); });
    lanes_ = static_cast<int>(letters.size());
    std::vector<int> laneOf(static_cast<std::size_t>(prepared.letters), -1);
    for (int lane = 0; lane < lanes_; ++lane)
        At(laneOf, At(letters, lane)) = lane;
    blocks_ = (lanes_ + B::Lanes - 1) / B::Lanes;
    const auto laneBlocks = static_cast<std::size_t>(blocks_);

    // A remainder's hash is the sum of its letters' hashes, so that taking an
    // entry away takes its hash away.
    std::uint64_t seed = 0x5EED;
    std::vector<std::uint64_t> laneHash(static_cast<std::size_t>(lanes_));
    for (auto& h : laneHash)
        h = SplitMix(seed);

    // Search order: by first lane, longest first, then as prepared.
    struct Key {
        int firstLane;
        int length;
        int entry;
    };
    std::vector<Key> keys;
    keys.reserve(entries.size());
    for (const int entry : entries) {
        int first = lanes_;
        for (const LetterCount& letter : lettersOf(entry))
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
        for (const LetterCount& letter : lettersOf(key.entry)) {
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

    // Each group's entries as column blocks of its lane and the later ones:
    // the earlier lanes are zero in both the entries and any remainder that
    // the group serves.
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

    tableBits_ = 4;
    while ((std::size_t{1} << tableBits_) < 2 * keys.size())
        ++tableBits_;
    table_.assign(std::size_t{1} << tableBits_, Slot{0, -1});
    const std::size_t mask = table_.size() - 1;
    for (int i = 0; i < count; ++i) {
        std::size_t slot = SlotOf(At(hash_, i), tableBits_);
        while (table_[slot].entry >= 0)
            slot = (slot + 1) & mask;
        table_[slot] = Slot{static_cast<std::uint32_t>(At(hash_, i) >> 32), i};
    }

    target_.assign(laneBlocks, B{});
    for (int lane = 0; lane < lanes_; ++lane) {
        const int letterCount = At(target, At(letters, lane));
        target_[static_cast<std::size_t>(lane / B::Lanes)].lane[lane % B::Lanes] =
            static_cast<Count>(letterCount);
        targetHash_ += static_cast<std::uint64_t>(letterCount) * At(laneHash, lane);
    }

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

template <typename Count> bool Solver<Count>::progressDue(Run& run) {
    run.nextProgress = run.work + ProgressInterval;
    if (!run.progress)
        return true;
    const double share =
        std::clamp(run.targetBase + run.targetWidth * shareDone(), run.lastShare, 1.0);
    run.lastShare = share;
    if (!run.progress(share)) {
        run.stopped = true;
        return false;
    }
    return true;
}

// Reports every anagram of the entries path_[0 .. words): each run of one
// entry becomes every combination of its words.
template <typename Count> bool Solver<Count>::report(Run& run, int words) {
    ++run.anagrams;
    const auto n = static_cast<std::size_t>(words);
    int* const indices = run.indices.data();
    int* const ranks = run.ranks.data();
    int* const choice = run.choice.data();
    int* const runEnd = run.runEnd.data();
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
        if (!run.found(std::span<const int>(indices, n))) {
            run.stopped = true;
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
            if (!tick(run, 16))
                return false;
            if (!run.found(std::span<const int>(indices, n))) {
                run.stopped = true;
                return false;
            }
        }
        if (!tick(run, 16))
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

template <typename Count> bool Solver<Count>::run(Run& run) {
    if (!possible_)
        return true;
    std::copy(target_.begin(), target_.end(), remainder(0));
    if (maxWords_ == 1) {
        const int entry = lookup(targetHash_, remainder(0));
        if (entry < 0)
            return true;
        path_[0] = entry;
        return report(run, 1);
    }
    Frame& root = frames_[0];
    root.start = 0;
    root.total = targetTotal_;
    root.hash = targetHash_;
    root.before = run.anagrams;
    depth_ = 0;
    if (!enter(0))
        return true;
    for (;;) {
        Frame& f = At(frames_, depth_);
        if (f.pending == 0) {
            if (f.next >= f.end) {
                const int wordsLeft = maxWords_ - depth_;
                if (run.anagrams == f.before && wordsLeft >= 3) {
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
            if (!tick(run, PerBlock))
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
            if (!report(run, depth_ + 1))
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
            if (!report(run, depth_ + 2))
                return false;
            continue;
        }
        Frame& child = frames_[d + 1];
        child.start = entry;
        child.total = f.total - length;
        child.hash = hash;
        child.before = run.anagrams;
        if (enter(depth_ + 1))
            ++depth_;
    }
}

// ---- Preparing the words ----

std::unique_ptr<AnagramEntries> Prepare(QStringView phraseKey,
                                        const std::vector<AnagramWord>& words,
                                        const AnagramOptions& options) {
    auto prepared = std::make_unique<AnagramEntries>();
    AnagramEntries& p = *prepared;
    p.maxWords = options.maxWords;
    p.distinct = options.distinct;
    p.blanks = options.blanks;
    if (options.maxWords < 1) {
        p.problem = QStringLiteral("An anagram needs at least one word.");
        return prepared;
    }
    if (options.blanks < 0) {
        p.problem = QStringLiteral("The number of blank tiles cannot be negative.");
        return prepared;
    }
    if (phraseKey.size() + options.blanks > PhraseAnagrams::MaxLength) {
        p.problem = QStringLiteral("The phrase has %1 letters with its blanks; at most %2 can be "
                                   "searched for.")
                        .arg(phraseKey.size() + options.blanks)
                        .arg(PhraseAnagrams::MaxLength);
        return prepared;
    }
    p.totalLength = static_cast<int>(phraseKey.size()) + options.blanks;
    std::map<char16_t, int> phraseCounts;
    for (const QChar unit : phraseKey)
        ++phraseCounts[unit.unicode()];
    if (static_cast<int>(phraseCounts.size()) > PhraseAnagrams::MaxLetters) {
        p.problem = QStringLiteral("The phrase has %1 different letters; at most %2 can be "
                                   "searched for.")
                        .arg(phraseCounts.size())
                        .arg(PhraseAnagrams::MaxLetters);
        return prepared;
    }

    // Merge the words that fit by their sorted letters.
    std::unordered_map<std::u16string, int> entryOf;
    std::vector<std::u16string> sortedKeys;
    std::vector<std::vector<int>> wordsOf;
    p.rank.resize(words.size());
    std::u16string key;
    for (std::size_t w = 0; w < words.size(); ++w) {
        p.rank[w] = words[w].rank;
        const QString& text = words[w].key;
        if (text.isEmpty() || text.size() > p.totalLength)
            continue;
        key.assign(QStringView(text).utf16(), static_cast<std::size_t>(text.size()));
        std::sort(key.begin(), key.end());
        int excess = 0;
        for (std::size_t i = 0; i < key.size() && excess <= options.blanks;) {
            std::size_t j = i;
            while (j < key.size() && key[j] == key[i])
                ++j;
            const auto found = phraseCounts.find(key[i]);
            const int have = found == phraseCounts.end() ? 0 : found->second;
            excess += std::max(0, static_cast<int>(j - i) - have);
            i = j;
        }
        if (excess > options.blanks)
            continue;
        const auto [at, added] = entryOf.try_emplace(key, static_cast<int>(sortedKeys.size()));
        if (added) {
            sortedKeys.push_back(key);
            wordsOf.emplace_back();
        }
        At(wordsOf, at->second).push_back(static_cast<int>(w));
    }

    // The alphabet, by code unit.
    std::u16string units;
    for (const auto& [unit, count] : phraseCounts)
        units += unit;
    for (const std::u16string& k : sortedKeys)
        units += k;
    std::sort(units.begin(), units.end());
    units.erase(std::unique(units.begin(), units.end()), units.end());
    p.letters = static_cast<int>(units.size());
    const auto idOf = [&units](char16_t unit) {
        return static_cast<int>(std::lower_bound(units.begin(), units.end(), unit) - units.begin());
    };
    p.phraseCount.assign(units.size(), 0);
    for (const auto& [unit, count] : phraseCounts)
        At(p.phraseCount, idOf(unit)) = count;

    std::vector<bool> inEntries(units.size(), false);
    std::vector<int> excess;
    for (std::size_t e = 0; e < sortedKeys.size(); ++e) {
        const std::u16string& k = sortedKeys[e];
        excess.clear();
        for (std::size_t i = 0; i < k.size();) {
            std::size_t j = i;
            while (j < k.size() && k[j] == k[i])
                ++j;
            const int letter = idOf(k[i]);
            const int count = static_cast<int>(j - i);
            p.entryLetters.push_back({letter, count});
            inEntries[static_cast<std::size_t>(letter)] = true;
            for (int c = At(p.phraseCount, letter); c < count; ++c)
                excess.push_back(letter);
            i = j;
        }
        p.letterBegin.push_back(static_cast<int>(p.entryLetters.size()));
        std::vector<int>& list = wordsOf[e];
        std::sort(list.begin(), list.end(), [&p](int a, int b) {
            return At(p.rank, a) != At(p.rank, b) ? At(p.rank, a) < At(p.rank, b) : a < b;
        });
        p.entryWords.insert(p.entryWords.end(), list.begin(), list.end());
        p.wordBegin.push_back(static_cast<int>(p.entryWords.size()));
        p.length.push_back(static_cast<int>(k.size()));
        if (options.blanks > 0)
            p.byExcess[excess].push_back(static_cast<int>(e));
    }
    if (options.blanks > 0)
        for (int letter = 0; letter < p.letters; ++letter)
            if (inEntries[static_cast<std::size_t>(letter)])
                p.extraLetters.push_back(letter);
    return prepared;
}

// The entries that fit the phrase with the given extra letters (ascending):
// those whose letters beyond the phrase's are among the extras. `work` grows
// by the groups looked at, so that a search of many extras with few entries
// still tells its progress.
std::vector<int> EntriesFor(const AnagramEntries& p, const std::vector<int>& extras,
                            std::int64_t& work) {
    std::vector<int> entries;
    std::vector<std::pair<int, int>> runs; // letter, count
    for (const int letter : extras) {
        if (!runs.empty() && runs.back().first == letter)
            ++runs.back().second;
        else
            runs.push_back({letter, 1});
    }
    // Look up each part of the extras when there are fewer parts than groups
    // of entries; otherwise test every group.
    double parts = 1;
    for (const auto& run : runs)
        parts *= run.second + 1;
    work += static_cast<std::int64_t>(std::min(parts, static_cast<double>(p.byExcess.size()))) + 1;
    if (parts <= static_cast<double>(p.byExcess.size())) {
        std::vector<int> taken(runs.size(), 0);
        std::vector<int> key;
        for (;;) {
            key.clear();
            for (std::size_t i = 0; i < runs.size(); ++i)
                key.insert(key.end(), static_cast<std::size_t>(taken[i]), runs[i].first);
            const auto found = p.byExcess.find(key);
            if (found != p.byExcess.end())
                entries.insert(entries.end(), found->second.begin(), found->second.end());
            std::size_t i = 0;
            while (i < runs.size() && taken[i] == runs[i].second)
                taken[i++] = 0;
            if (i == runs.size())
                break;
            ++taken[i];
        }
    } else {
        for (const auto& [beyond, list] : p.byExcess)
            if (std::includes(extras.begin(), extras.end(), beyond.begin(), beyond.end()))
                entries.insert(entries.end(), list.begin(), list.end());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

bool SearchTarget(Run& run, bool wide, const std::vector<int>& target,
                  const std::vector<int>& entries) {
    if (wide)
        return Solver<quint16>(run.prepared, target, entries).run(run);
    return Solver<quint8>(run.prepared, target, entries).run(run);
}

} // namespace

PhraseAnagrams::PhraseAnagrams(QStringView phraseKey, std::vector<AnagramWord> words,
                               const AnagramOptions& options)
    : prepared_(Prepare(phraseKey, words, options)) {}

PhraseAnagrams::~PhraseAnagrams() = default;
PhraseAnagrams::PhraseAnagrams(PhraseAnagrams&&) noexcept = default;
PhraseAnagrams& PhraseAnagrams::operator=(PhraseAnagrams&&) noexcept = default;

QString PhraseAnagrams::problem() const {
    return prepared_->problem;
}

bool PhraseAnagrams::search(const Found& found, const Progress& progress) const {
    const AnagramEntries& p = *prepared_;
    if (!p.problem.isEmpty())
        return false;
    if (p.entries() == 0)
        return true;
    // Shorter anagrams are found as ever, and passed over here.
    const int least = minimumWords_;
    const Found atLeast = [&found, least](std::span<const int> words) {
        return static_cast<int>(words.size()) < least || found(words);
    };
    Run run(p, least > 1 ? atLeast : found, progress);
    run.nextProgress = ProgressInterval;
    // Never more words than letters.
    const auto longest = static_cast<std::size_t>(std::min(p.maxWords, p.totalLength)) + 1;
    for (auto* buffer : {&run.indices, &run.ranks, &run.choice, &run.runEnd})
        buffer->assign(longest, 0);
    // Counts of more than 255 need two bytes a letter.
    int most = 0;
    for (const int count : p.phraseCount)
        most = std::max(most, count);
    const bool wide = most + p.blanks > 0xFF;

    if (p.blanks == 0) {
        std::vector<int> all(static_cast<std::size_t>(p.entries()));
        for (int e = 0; e < p.entries(); ++e)
            At(all, e) = e;
        return SearchTarget(run, wide, p.phraseCount, all);
    }

    // Each multiset of `blanks` letters that the blanks can stand for, as
    // non-decreasing indices into extraLetters, has anagrams of its own.
    const int kinds = static_cast<int>(p.extraLetters.size());
    double targets = 1;
    for (int i = 1; i <= p.blanks; ++i)
        targets = targets * (kinds - 1 + i) / i;
    run.targetWidth = 1 / targets;
    std::vector<int> pick(static_cast<std::size_t>(p.blanks), 0);
    std::vector<int> extras(pick.size());
    std::vector<int> target;
    for (double done = 0;; ++done) {
        run.targetBase = done / targets;
        target = p.phraseCount;
        for (std::size_t i = 0; i < pick.size(); ++i) {
            extras[i] = At(p.extraLetters, pick[i]);
            ++At(target, extras[i]);
        }
        const std::vector<int> entries = EntriesFor(p, extras, run.work);
        if (!SearchTarget(run, wide, target, entries))
            return false;
        // Setting up each target is work too, when there are many.
        run.work += static_cast<std::int64_t>(entries.size());
        if (run.work >= run.nextProgress) {
            run.nextProgress = run.work + ProgressInterval;
            run.lastShare = std::max(run.lastShare, (done + 1) / targets);
            if (run.progress && !run.progress(run.lastShare))
                return false;
        }
        std::size_t i = pick.size();
        while (i > 0 && pick[i - 1] == kinds - 1)
            --i;
        if (i == 0)
            return true;
        const int next = pick[i - 1] + 1;
        for (std::size_t j = i - 1; j < pick.size(); ++j)
            pick[j] = next;
    }
}

} // namespace Vorlaine
