#pragma once

#include "search/query/WordSearch.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Vorlaine {

class FileRun;
class RunCursor;

// Sorts the matches of a search, as `sort` sorts lines: each match kept
// packed (its key and its bytes end to end, a few bytes more), sorted a batch
// at a time into runs, the runs written to temporary files once they take
// more than the budget, and all merged at the end. Memory follows the words
// up to the budget, and stays there. The order is AppendSortKey's, the
// list's among equals.
class MatchSorter {
public:
    static constexpr std::size_t DefaultBudget = std::size_t{256} << 20;

    // With eachWordOnce, the repeats of a word are weeded out here, the
    // first in the list's order kept: the search need not remember them.
    MatchSorter(SortOrder order, bool eachWordOnce, std::size_t budget = DefaultBudget);
    ~MatchSorter();

    // Asked now and then whether to go on; false stops the sort.
    void setGoOn(std::function<bool()> goOn) { goOn_ = std::move(goOn); }

    // False once the sort was stopped or failed (errorString()).
    bool add(const WordMatch& match);
    // Keeps only the first `count` matches in order.
    bool keepFirst(std::size_t count);
    // Hands every match to `take` in order, then holds none. False when
    // `take` returned false, or the sort was stopped or failed.
    bool drain(const std::function<bool(const WordMatch&)>& take);

    // The matches held: repeats count until they are weeded out.
    std::size_t size() const { return size_; }
    // Why the sort failed: its temporary files could not be written or read.
    const QString& errorString() const { return error_; }

private:
    class Repeats;
    using Emit = std::function<bool(std::string_view record)>;

    // Counts a step of work; false once the sort is to stop.
    bool tick() { return ++steps_ % StepsBetweenChecks != 0 ? !stopped_ : askGoOn(); }
    bool askGoOn();
    bool sortBatch();
    bool spill();
    // Merges the runs, oldest first, into `out`. False when `out` returned
    // false, or the merge was stopped or failed.
    bool merge(std::vector<RunCursor> runs, const Emit& out);
    std::vector<RunCursor> cursors(bool files, bool memory);

    // How often the sort asks whether to go on: a few microseconds' work.
    static constexpr std::uint64_t StepsBetweenChecks = 1 << 12;

    const SortOrder order_;
    const bool eachWordOnce_;
    const std::size_t budget_;
    const std::size_t batchBytes_;
    std::function<bool()> goOn_;
    std::uint64_t steps_ = 0;
    bool stopped_ = false;
    QString error_;

    std::string record_;
    std::string batch_; // records in the order they came
    std::size_t batchCount_ = 0;
    // Sorted runs, oldest first: those in files, then those in memory.
    std::vector<std::unique_ptr<FileRun>> fileRuns_;
    std::vector<std::string> memoryRuns_;
    std::size_t memoryBytes_ = 0;
    std::size_t size_ = 0;
};

} // namespace Vorlaine
