#include "cli/WordsCommand.h"

#include "cli/CommandLineWindow.h"
#include "cli/ListInput.h"
#include "cli/ResultPrinter.h"
#include "cli/SearchContext.h"
#include "cli/StopSignals.h"
#include "search/MakeWordsRun.h"
#include "search/NumberText.h"
#include "search/RunMessages.h"

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
        if (count && !(error = CountList(path_, counted)).isEmpty())
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
            seed = DecodeLine(item.bytes);
            ++done_;
            return true;
        }
        return false;
    }
    bool hasError() const { return reader_.hasError(); }
    QString errorString() const { return RunMessage::CannotRead(path_, reader_.errorString()); }

    qint64 done() const { return done_; }
    qint64 total() const { return total_; } // 0 when not counted

private:
    QString single_;
    QString path_;
    WordListReader reader_;
    qint64 done_ = 0;
    qint64 total_ = 0;
};

} // namespace

int RunWordsCommand(const Options& options) {
    SearchContext context(options);
    const double minimumLength = NumericValue(options.settings.text(Field::MinimumLength));
    Seeds seeds(options);
    const auto minimumFits = [&](const QString& seed) {
        return options.mode == FitMode::ContainsAll ||
               minimumLength <= static_cast<double>(seed.size() + options.blanks);
    };

    // The checks of the make-words run, in its order.
    if (!seeds.many() && !minimumFits(options.settings.text(Field::Seed)))
        return ReportError(RunMessage::MinimumTooLong());
    if (const std::optional<int> failed = context.start(seeds.path()))
        return *failed;
    QString error;
    if (!seeds.open(error, context.onTerminal()))
        return ReportError(error);
    ListInput list(options.settings.text(Field::WordList));
    if (!list.open(seeds.many() ? ListInput::Use::SearchedOften : ListInput::Use::SearchedOnce,
                   error))
        return ReportError(error);
    WordSearch search(context.tiles(), options.foldAccents);
    if (seeds.many())
        list.index(search);
    if (const std::optional<int> failed = context.openOutput())
        return *failed;

    WordQuery query;
    query.blanks = options.blanks;
    query.mode = options.mode;
    query.minimumLength = minimumLength;
    query.maximumLength = options.maximumLength;
    query.pattern = options.pattern ? &*options.pattern : nullptr;
    query.regex = options.regex ? &*options.regex : nullptr;
    query.scores = options.format == OutputFormat::Json || options.sort == SortOrder::Score;

    ResultLines& lines = context.lines();
    TerminalProgress& progress = context.progress();
    ResultPrinter printer(options, lines);
    printer.setListEncoding(list.encoding());
    bool writeFailed = false;
    const auto printMatch = [&](const WordMatch& match) {
        writeFailed = !printer.printWord(query.seed, match);
        return !writeFailed;
    };
    const auto showProgress = [&](double share) {
        if (progress.due()) {
            if (seeds.many()) {
                progress.draw(
                    u' ' + QString::number(seeds.done()) +
                    (seeds.total() > 0 ? u" of "_s + QString::number(seeds.total()) : QString()) +
                    u" seeds"_s);
            } else {
                progress.draw(PercentText(share));
            }
        }
        return !StopSignals::requested() && lines.flushIfOld();
    };

    WordSearch::Outcome outcome = WordSearch::Outcome::Done;
    std::vector<WordMatch> sorted;
    while (outcome == WordSearch::Outcome::Done && seeds.next(query.seed)) {
        if (!minimumFits(query.seed)) {
            progress.clear();
            std::fprintf(stderr, "makewords: %s: %s\n", qUtf8Printable(query.seed),
                         qUtf8Printable(RunMessage::MinimumTooLong()));
            continue;
        }
        qsizetype listed = 0;
        const qsizetype limit = options.limit.value_or(-1);
        if (limit == 0)
            continue;
        if (options.sort == SortOrder::List) {
            outcome = list.search(
                search, query,
                [&](const WordMatch& match) { return printMatch(match) && ++listed != limit; },
                showProgress);
            if (outcome == WordSearch::Outcome::Stopped && listed == limit && !writeFailed &&
                !StopSignals::requested())
                outcome = WordSearch::Outcome::Done;
        } else {
            sorted.clear();
            outcome = list.search(
                search, query,
                [&](const WordMatch& match) {
                    sorted.push_back(match);
                    return true;
                },
                showProgress);
            if (outcome == WordSearch::Outcome::Done &&
                !SortMatches(sorted, options.sort, [] { return !StopSignals::requested(); }))
                outcome = WordSearch::Outcome::Stopped;
            if (outcome != WordSearch::Outcome::Done)
                break;
            if (limit >= 0 && static_cast<std::size_t>(limit) < sorted.size())
                sorted.resize(static_cast<std::size_t>(limit));
            for (const WordMatch& match : sorted) {
                if (!printMatch(match)) {
                    outcome = WordSearch::Outcome::Stopped;
                    break;
                }
            }
        }
        if (!showProgress(1))
            outcome = WordSearch::Outcome::Stopped;
    }

    SearchEnd end;
    if (list.hasError())
        end = SearchEnd::failed(list.errorString());
    else if (outcome == WordSearch::Outcome::RegexTooSlow)
        end = SearchEnd::failed(u"the regular expression gave up on '"_s + search.failedWord() +
                                u"': it takes too long there. Try a simpler one."_s);
    else if (seeds.hasError())
        end = SearchEnd::failed(seeds.errorString());
    else if (StopSignals::requested())
        end.kind = SearchEnd::Kind::Stopped;
    return context.finish(end, u"words"_s);
}

} // namespace Vorlaine
