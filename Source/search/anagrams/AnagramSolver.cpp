#include "search/anagrams/AnagramSolver.h"

#include "search/anagrams/AnagramReport.h"

#include <algorithm>
#include <bit>

// The search itself: the hot loop and what it calls, kept in one unit so that
// they inline into it. The solver's setup is in AnagramSolverSetup.cpp.

namespace Vorlaine {
namespace Anagram {

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

// Reports every anagram of the entries path_[0 .. words).
template <typename Count> bool Solver<Count>::report(Run& shared, int words) {
    return ReportAnagrams(shared, path_.data(), words, entryWords_, distinct_,
                          [this, &shared](int units) { return tick(shared, units); });
}

// A frame whose candidates are all tried: if it found nothing with three
// words or more left, its remainder is remembered as a dead end.
template <typename Count> void Solver<Count>::leave(const Run& shared, const Frame& f) {
    const int wordsLeft = maxWords_ - depth_;
    if (shared.anagrams != f.before || wordsLeft < 3)
        return;
    // With distinct words, how often the entry before was taken limits the
    // first candidate only.
    const int start =
        distinct_ && depth_ > 0 && At(path_, depth_ - 1) == f.start ? f.start + 1 : f.start;
    rememberDead(f.hash, wordsLeft, remainder(depth_), start);
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
                leave(shared, f);
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

bool SearchTarget(Run& shared, bool wide, const std::vector<int>& target,
                  const std::vector<int>& entries) {
    if (wide)
        return Solver<quint16>(shared.prepared, target, entries).solve(shared);
    return Solver<quint8>(shared.prepared, target, entries).solve(shared);
}

} // namespace Anagram
} // namespace Vorlaine
