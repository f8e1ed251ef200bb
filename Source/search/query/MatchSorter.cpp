#include "search/query/MatchSorter.h"

#include "files/TextEncoding.h"
#include "search/letters/PackedText.h"
#include "search/letters/WordSet.h"
#include "search/query/MatchRecord.h"
#include "search/query/SortRuns.h"

#include <QDir>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {
// More files than this are merged into one, so that few are open at once.
constexpr std::size_t MostFileRuns = 16;

std::uint64_t HeadOf(std::string_view key) {
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < 8; ++i)
        head = (head << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    return head;
}
} // namespace

// Tells the repeats of a word among records in order. A word's repeats have
// equal keys, so only records with the key of the one before are looked at,
// and their words decoded.
class MatchSorter::Repeats {
public:
    bool isRepeat(std::string_view record) {
        const std::string_view key = MatchRecord::keyOf(record);
        if (!started_ || key != key_) {
            started_ = true;
            key_.assign(key);
            first_.assign(record);
            words_.clear();
            return false;
        }
        if (words_.size() == 0)
            words_.insert(DecodeItem(bytesOf(first_)));
        return !words_.insert(DecodeItem(bytesOf(record)));
    }

private:
    static QByteArrayView bytesOf(std::string_view record) {
        const std::string_view bytes = MatchRecord::read(record).bytes;
        return {bytes.data(), static_cast<qsizetype>(bytes.size())};
    }

    bool started_ = false;
    std::string key_;
    std::string first_; // the record that began the key's run
    WordSet words_;
};

MatchSorter::MatchSorter(SortOrder order, bool eachWordOnce, std::size_t budget)
    : order_(order), eachWordOnce_(eachWordOnce), budget_(budget),
      batchBytes_(std::clamp<std::size_t>(budget / 64, 1 << 12, 1 << 22)) {}

MatchSorter::~MatchSorter() = default;

bool MatchSorter::askGoOn() {
    if (!stopped_ && goOn_ && !goOn_())
        stopped_ = true;
    return !stopped_;
}

bool MatchSorter::add(const WordMatch& match) {
    if (stopped_ || !error_.isEmpty())
        return false;
    record_.clear();
    AppendMatchRecord(record_, order_, match);
    // Room for a whole batch at once, so that it never takes twice that
    // while it grows; pages untouched take no memory.
    if (batch_.capacity() < batchBytes_)
        batch_.reserve(batchBytes_ + ByteRecords::MostRecord);
    AppendVarint(batch_, record_.size());
    batch_.append(record_);
    ++batchCount_;
    ++size_;
    if (batch_.size() >= batchBytes_) {
        if (!sortBatch())
            return false;
        if (memoryBytes_ > budget_ && !spill())
            return false;
    }
    return tick();
}

// Sorts the records that came since the last batch into a run in memory.
bool MatchSorter::sortBatch() {
    if (batch_.empty())
        return true;
    // The first eight bytes of a key decide most comparisons without a look
    // at the records; the place breaks ties, so the sort is stable.
    struct Entry {
        std::uint64_t head;
        std::uint32_t place;
        std::uint32_t key; // the key's size, and where it starts after the place
    };
    std::vector<Entry> entries;
    entries.reserve(batchCount_);
    const char* const base = batch_.data();
    for (std::size_t at = 0; at < batch_.size();) {
        const char* record = base + at;
        const std::uint64_t size = ReadVarint(record);
        const std::string_view key = MatchRecord::keyOf({record, static_cast<std::size_t>(size)});
        const auto keyStart = static_cast<std::size_t>(key.data() - (base + at));
        entries.push_back({HeadOf(key), static_cast<std::uint32_t>(at),
                           static_cast<std::uint32_t>((key.size() << 4) | keyStart)});
        at = static_cast<std::size_t>(record - base) + static_cast<std::size_t>(size);
    }
    const auto keyOf = [base](const Entry& entry) {
        return std::string_view(base + entry.place + (entry.key & 15), entry.key >> 4);
    };
    struct Stop {};
    try {
        std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
            if (!tick())
                throw Stop{};
            if (a.head != b.head)
                return a.head < b.head;
            const int order = keyOf(a).compare(keyOf(b));
            return order != 0 ? order < 0 : a.place < b.place;
        });
    } catch (const Stop&) {
        return false;
    }
    std::string run;
    run.reserve(batch_.size());
    Repeats repeats;
    for (const Entry& entry : entries) {
        const char* record = base + entry.place;
        const auto size = static_cast<std::size_t>(ReadVarint(record));
        const std::string_view bytes(record, size);
        if (eachWordOnce_ && repeats.isRepeat(bytes))
            continue;
        AppendVarint(run, size);
        run.append(bytes);
    }
    memoryBytes_ += run.size();
    memoryRuns_.push_back(std::move(run));
    batch_.clear();
    batchCount_ = 0;
    return tick();
}

std::vector<RunCursor> MatchSorter::cursors(bool files, bool memory) {
    std::vector<RunCursor> runs;
    if (files) {
        for (const std::unique_ptr<FileRun>& file : fileRuns_)
            runs.emplace_back(*file);
    }
    if (memory) {
        for (const std::string& run : memoryRuns_)
            runs.emplace_back(run);
    }
    return runs;
}

bool MatchSorter::merge(std::vector<RunCursor> runs, const Emit& out) {
    std::vector<std::string_view> keys(runs.size());
    // A heap of the runs with records left, the earliest record on top; of
    // equal records, the older run's.
    const auto later = [&keys](std::size_t a, std::size_t b) {
        const int order = keys[a].compare(keys[b]);
        return order != 0 ? order > 0 : a > b;
    };
    std::vector<std::size_t> heap;
    const auto step = [&](std::size_t run) {
        if (runs[run].next()) {
            keys[run] = MatchRecord::keyOf(runs[run].record());
            return true;
        }
        if (runs[run].failed())
            error_ = u"the sort could not read its words back from "_s + QDir::tempPath();
        return false;
    };
    for (std::size_t run = 0; run < runs.size(); ++run) {
        if (step(run))
            heap.push_back(run);
    }
    std::make_heap(heap.begin(), heap.end(), later);
    Repeats repeats;
    while (!heap.empty() && error_.isEmpty()) {
        if (!tick())
            return false;
        std::pop_heap(heap.begin(), heap.end(), later);
        const std::size_t run = heap.back();
        const std::string_view record = runs[run].record();
        if (!(eachWordOnce_ && repeats.isRepeat(record)) && !out(record))
            return false;
        if (step(run))
            std::push_heap(heap.begin(), heap.end(), later);
        else
            heap.pop_back();
    }
    return error_.isEmpty();
}

// Writes the runs in memory to a file as one, and merges the files into one
// when there are many.
bool MatchSorter::spill() {
    auto file = std::make_unique<FileRun>();
    if (!file->create(error_))
        return false;
    RunWriter writer(*file);
    const Emit write = [&](std::string_view record) { return writer.add(record, error_); };
    if (!merge(cursors(false, true), write) || !writer.finish(error_))
        return false;
    memoryRuns_.clear();
    memoryBytes_ = 0;
    fileRuns_.push_back(std::move(file));
    if (fileRuns_.size() < MostFileRuns)
        return true;
    auto merged = std::make_unique<FileRun>();
    if (!merged->create(error_))
        return false;
    RunWriter mergedWriter(*merged);
    const Emit writeMerged = [&](std::string_view record) {
        return mergedWriter.add(record, error_);
    };
    if (!merge(cursors(true, false), writeMerged) || !mergedWriter.finish(error_))
        return false;
    fileRuns_.clear();
    fileRuns_.push_back(std::move(merged));
    return true;
}

bool MatchSorter::keepFirst(std::size_t count) {
    if (!sortBatch())
        return false;
    std::string kept;
    RunWriter writer(kept);
    std::size_t taken = 0;
    const Emit keep = [&](std::string_view record) {
        return taken < count && writer.add(record, error_) && ++taken < count;
    };
    if (!merge(cursors(true, true), keep) && taken < count)
        return false;
    fileRuns_.clear();
    memoryRuns_.clear();
    memoryBytes_ = kept.size();
    memoryRuns_.push_back(std::move(kept));
    size_ = taken;
    return true;
}

bool MatchSorter::drain(const std::function<bool(const WordMatch&)>& take) {
    if (!sortBatch())
        return false;
    const bool drained = merge(cursors(true, true), [&take](std::string_view record) {
        return take(MatchRecord::read(record).match());
    });
    fileRuns_.clear();
    memoryRuns_.clear();
    memoryBytes_ = 0;
    size_ = 0;
    return drained;
}

} // namespace Vorlaine
