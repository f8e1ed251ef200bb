#include "cli/WordsCommand.h"

#include "cli/Console.h"
#include "cli/ListInput.h"
#include "cli/ResultPrinter.h"
#include "cli/SearchContext.h"
#include "files/TextEncoding.h"
#include "search/letters/LetterKey.h"
#include "search/query/MatchSorter.h"
#include "search/query/WordHooks.h"
#include "search/query/WordPattern.h"
#include "search/run/RunFiles.h"
#include "search/run/RunMessages.h"

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {

// The seeds of a run: the one of --seed, or each line of --seeds in turn.
class Seeds {
public:
    explicit Seeds(const Options& options)
        : single_(options.settings.text(Field::Seed)), path_(options.seedsPath), reader_(path_) {}

    bool many() const { return !path_.isEmpty(); }
    const QString& path() const { return path_; }

    // Opens the seeds file; false with a message when it cannot be read. A
    // file is counted first when the count is shown.
    bool open(QString& error, bool count) {
        if (!many())
            return true;
        if (IsStandardStream(path_)) {
            if (reader_.openStandardInput())
                return true;
            error = RunMessage::CannotOpen(path_, reader_.errorString());
            return false;
        }
        ListCount counted;
        if (count && !ReadsOnce(path_) && !(error = CountList(path_, counted)).isEmpty())
            return false;
        total_ = counted.items;
        if (reader_.open())
            return true;
        error = RunMessage::CannotOpen(path_, reader_.errorString());
        return false;
    }
    // The next seed; false after the last, or when reading failed (hasError).
    bool next(QString& seed) {
        if (!many()) {
            if (done_ > 0)
                return false;
            seed = single_;
            ++done_;
            return true;
        }
        WordListItem item;
        while (reader_.readItem(item)) {
            if (item.overlong)
                continue;
            seed = DecodeItem(item.bytes);
            ++done_;
            return true;
        }
        return false;
    }
    bool hasError() const { return reader_.hasError(); }
    QString errorString() const { return RunMessage::CannotRead(path_, reader_.errorString()); }
    // The first line read as Windows-1252, once, as soon as it is met.
    qint64 takeFirstLineNotUtf8() {
        if (noticed_ || reader_.firstLineNotUtf8() == 0)
            return 0;
        noticed_ = true;
        return reader_.firstLineNotUtf8();
    }

    qint64 done() const { return done_; }
    qint64 total() const { return total_; } // 0 when not counted

private:
    QString single_;
    QString path_;
    WordListReader reader_;
    qint64 done_ = 0;
    qint64 total_ = 0;
    bool noticed_ = false;
};

} // namespace

// One run of the searches of single words: the checks, the inputs, then each
// seed's search, and how it all ended.
class WordsCommand::Run {
public:
    Run(const Options& options, Console& console)
        : options_(options), context_(options, console), seeds_(options),
          list_(options.settings.text(Field::WordList)), search_(context_.tiles(), options.keys),
          printer_(MakeResultPrinter(options.format, context_.lines(), seeds_.many())),
          query_(options.query) {
        query_.scores = printer_->showsScores() || options.sort == SortOrder::Score;
        query_.probability = printer_->showsScores() || options.sort == SortOrder::Probability;
    }

    int run() {
        if (const std::optional<int> failed = prepare())
            return *failed;
        WordSearch::Result result;
        while (result.outcome == WordSearch::Outcome::Done && seeds_.next(query_.seed)) {
            if (const qint64 line = seeds_.takeFirstLineNotUtf8(); line > 0)
                console().notice(RunMessage::ReadAsWindows1252(seeds_.path(), line));
            // Of many seeds, one too short for the minimum is passed over.
            if (!minimumFits(query_.seed)) {
                ++tooShort_;
                continue;
            }
            result = searchSeed();
            if (!showProgress(1))
                result.outcome = WordSearch::Outcome::Stopped;
        }
        if (tooShort_ > 0)
            console().notice(
                (tooShort_ == 1 ? u"1 seed was"_s : QString::number(tooShort_) + u" seeds were"_s) +
                u" shorter than the minimum length, and passed over."_s);
        return context_.finish(endOf(result), u"words"_s);
    }

private:
    Console& console() { return context_.console(); }

    bool minimumFits(const QString& seed) const {
        // The letters the seed plays (folded, ß is two; an edition's tiles of
        // two letters, one), and those on the board.
        const qsizetype letters =
            options_.keys.key(seed).size() + (query_.board ? query_.board->literals().size() : 0);
        return query_.mode == FitMode::ContainsAll ||
               query_.minimumLength <= static_cast<double>(letters + query_.blanks);
    }

    // The checks of the make-words run, in its order, then the inputs and
    // the output file.
    std::optional<int> prepare() {
        if (!seeds_.many() && !minimumFits(query_.seed))
            return console().error(RunMessage::MinimumTooLong());
        if (const std::optional<int> failed = context_.start())
            return failed;
        QString error;
        if (!seeds_.open(error, console().showsProgress()))
            return console().error(error);
        // Many seeds search the list many times; hooks read it once more.
        const auto use =
            seeds_.many() ? ListInput::Use::SearchedOften : ListInput::Use::SearchedOnce;
        if (!list_.open(use, error))
            return console().error(error);
        if (seeds_.many())
            list_.index(search_);
        if (const QString failed = search_.prepare(query_); !failed.isEmpty())
            return console().error(failed);
        if (list_.firstLineNotUtf8() > 0)
            console().notice(RunMessage::ReadAsWindows1252(options_.settings.text(Field::WordList),
                                                           list_.firstLineNotUtf8()));
        return context_.openOutput();
    }

    // The words of the seed in hand: in the list's order as they are found,
    // or all of them sorted; at most --limit of them.
    WordSearch::Result searchSeed() {
        const qsizetype limit = options_.limit.value_or(-1);
        if (limit == 0)
            return {};
        const auto progress = [this](double share) { return showProgress(share); };
        // Words print as they are found, unless they are sorted or wait for
        // their hooks.
        if (options_.sort == SortOrder::List && !options_.hooks) {
            qsizetype listed = 0;
            WordSearch::Result result = list_.search(
                search_, query_,
                [&](const WordMatch& match) { return print(match) && ++listed != limit; },
                progress);
            // The limit stops the search as a success.
            const bool limited = listed == limit && !writeFailed_ && !Console::stopRequested();
            if (result.outcome == WordSearch::Outcome::Stopped && limited)
                result.outcome = WordSearch::Outcome::Done;
            return result;
        }
        // With a limit only the best of the words so far are kept: whenever
        // twice the limit have come together, they are sorted, the repeats of
        // a word dropped, and cut back. A stable sort keeps the list's order
        // among equals, as the kept words came before the newer ones; a word
        // cut off can come back only behind those kept, so it is never
        // missed, and the memory grows with the limit only.
        const auto keep = static_cast<std::size_t>(limit);
        // The sorter weeds out the repeats of a word, so the search need not
        // remember every word as well. A list in memory lists each word's
        // bytes once already, and a word in two encodings there has always
        // been listed twice unless the words are cut back.
        // In the list's order (the words wait for their hooks) every key is
        // the same, so the search weeds out the repeats.
        const bool indexed = seeds_.many();
        const bool listOrder = options_.sort == SortOrder::List;
        MatchSorter sorter(options_.sort,
                           !listOrder && query_.eachWordOnce && (limit >= 0 || !indexed));
        sorter.setGoOn([] { return !Console::stopRequested(); });
        WordQuery query = query_;
        query.eachWordOnce = listOrder && query_.eachWordOnce;
        if (options_.hooks)
            hooks_ = std::make_unique<WordHooks>(options_.keys);
        WordSearch::Result result = list_.search(
            search_, query,
            [&](const WordMatch& match) {
                if (hooks_)
                    hooks_->addWord(match.word);
                if (!sorter.add(match))
                    return false;
                // In the list's order the first words are the ones kept: the
                // rest of the list can change nothing.
                if (listOrder && limit >= 0)
                    return sorter.size() < keep;
                return limit < 0 || sorter.size() < 2 * keep + 64 || sorter.keepFirst(keep);
            },
            progress);
        if (result.outcome == WordSearch::Outcome::Stopped && listOrder && limit >= 0 &&
            sorter.size() >= keep && sorter.errorString().isEmpty() && !Console::stopRequested())
            result.outcome = WordSearch::Outcome::Done;
        if (result.outcome == WordSearch::Outcome::Done && limit >= 0 && !sorter.keepFirst(keep))
            result.outcome = WordSearch::Outcome::Stopped;
        if (result.outcome == WordSearch::Outcome::Done && options_.hooks) {
            if (const QString failed = findHooks(); !failed.isEmpty())
                return {WordSearch::Outcome::Failed, failed};
            // Hooks from part of the list would be wrong: none is printed.
            if (Console::stopRequested())
                return {WordSearch::Outcome::Stopped, {}};
        }
        if (result.outcome == WordSearch::Outcome::Done &&
            !sorter.drain([this](const WordMatch& match) { return print(match); }))
            result.outcome = WordSearch::Outcome::Stopped;
        if (!sorter.errorString().isEmpty())
            return {WordSearch::Outcome::Failed, sorter.errorString()};
        return result;
    }

    // The hooks of the words found (hooks_ has them), from the list read
    // once more.
    QString findHooks() {
        QString error;
        list_.forEachItem(
            [&](QByteArrayView item) {
                hooks_->scan(item);
                return !Console::stopRequested();
            },
            error);
        printer_->setHooks(hooks_.get());
        return error;
    }

    bool print(const WordMatch& match) {
        writeFailed_ = !printer_->printWord(query_.seed, match);
        return !writeFailed_;
    }

    bool showProgress(double share) {
        if (console().progressDue()) {
            if (seeds_.many()) {
                console().drawProgress(
                    u' ' + QString::number(seeds_.done()) +
                    (seeds_.total() > 0 ? u" of "_s + QString::number(seeds_.total()) : QString()) +
                    u" seeds"_s);
            } else {
                console().drawProgress(PercentText(share));
            }
        }
        return !Console::stopRequested() && context_.lines().flushIfOld();
    }

    SearchEnd endOf(const WordSearch::Result& result) const {
        if (list_.hasError())
            return SearchEnd::failed(list_.errorString());
        if (result.outcome == WordSearch::Outcome::Failed)
            return SearchEnd::failed(result.failure);
        if (seeds_.hasError())
            return SearchEnd::failed(seeds_.errorString());
        if (Console::stopRequested())
            return {SearchEnd::Kind::Stopped, {}};
        return {};
    }

    const Options& options_;
    SearchContext context_;
    Seeds seeds_;
    ListInput list_;
    WordSearch search_;
    const std::unique_ptr<ResultPrinter> printer_;
    WordQuery query_;
    std::unique_ptr<WordHooks> hooks_;
    bool writeFailed_ = false;
    qint64 tooShort_ = 0; // seeds passed over
};

int WordsCommand::run(Console& console) {
    return Run(options_, console).run();
}

} // namespace Vorlaine
