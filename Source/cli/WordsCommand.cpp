#include "cli/WordsCommand.h"

#include "cli/CommandLineWindow.h"
#include "cli/ResultLines.h"
#include "cli/StopSignals.h"
#include "cli/TerminalProgress.h"
#include "files/FileExists.h"
#include "files/OutputWriter.h"
#include "files/TextEncoding.h"
#include "files/WordListReader.h"
#include "search/MakeWordsRun.h"
#include "search/NumberText.h"
#include "search/WordList.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {

const QString MinimumTooLong = u"Minimum length can't be greater the seed word's length."_s;

int Fail(const QString& message) {
    std::fflush(stdout);
    Print(stderr, MessageLine(MessageKind::Error, message));
    return ExitFailed;
}

// A line of a seeds file or of --tile-values as text: UTF-8 where it is valid,
// Windows-1252 otherwise.
QString DecodeLine(QByteArrayView bytes) {
    Utf8Validator utf8;
    utf8.feed(bytes);
    return DecodeItem(bytes, utf8.isValid() ? TextEncoding::Utf8 : TextEncoding::Windows1252);
}

// The seeds of a run: the one of --seed, or each line of --seeds in turn.
class Seeds {
public:
    explicit Seeds(const Options& options)
        : single_(options.settings.text(Field::Seed)), path_(options.seedsPath), reader_(path_) {}

    bool many() const { return !path_.isEmpty(); }
    const QString& path() const { return path_; }

    // Opens the seeds file; false with a message when it cannot be read.
    bool open(QString& error, bool count) {
        if (!many())
            return true;
        if (IsStandardStream(path_))
            return reader_.openStandardInput() || fail(error, u" could not be opened: "_s);
        if (!FileExists(path_)) {
            error = path_ + u" not found!"_s;
            return false;
        }
        if (count) {
            WordListReader counter(path_);
            if (!counter.open() || !counter.countItems(total_))
                return fail(error, u" could not be read: "_s);
        }
        return reader_.open() || fail(error, u" could not be opened: "_s);
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
    QString errorString() const {
        return path_ + u" could not be read: "_s + reader_.errorString();
    }

    qint64 done() const { return done_; }
    qint64 total() const { return total_; } // 0 when not counted

private:
    bool fail(QString& error, const QString& what) const {
        error = path_ + what + reader_.errorString();
        return false;
    }

    QString single_;
    QString path_;
    WordListReader reader_;
    qint64 done_ = 0;
    qint64 total_ = 0;
};

// The line for one match, as printed and, when other, as the file gets it.
class LineFormat {
public:
    LineFormat(const Options& options, TextEncoding encoding)
        : options_(options), withSeed_(!options.seedsPath.isEmpty()),
          utf8List_(encoding == TextEncoding::Utf8) {}

    void make(const QString& seed, const WordMatch& match) {
        printed_.resize(0);
        filed_ = {};
        if (seed != seed_) {
            seed_ = seed;
            seedUtf8_ = seed.toUtf8();
        }
        if (options_.format == OutputFormat::Json) {
            printed_.append('{');
            if (withSeed_) {
                printed_.append("\"seed\":");
                AppendJsonString(printed_, seed);
                printed_.append(',');
            }
            printed_.append("\"word\":");
            AppendJsonString(printed_, match.word);
            printed_.append(",\"length\":").append(QByteArray::number(match.word.size()));
            printed_.append(",\"score\":").append(QByteArray::number(match.score));
            printed_.append(",\"blanks\":");
            AppendJsonString(printed_, match.blanks);
            printed_.append('}');
            return;
        }
        if (withSeed_)
            printed_.append(seedUtf8_).append('\t');
        // A UTF-8 list has the word in UTF-8 already.
        printed_.append(utf8List_ ? match.bytes : match.word.toUtf8());
        // The file gets a lone word as the list has it, as from the window.
        if (!withSeed_)
            filed_ = match.bytes;
    }
    QByteArrayView printed() const { return printed_; }
    QByteArrayView filed() const { return filed_; }

private:
    const Options& options_;
    const bool withSeed_;
    const bool utf8List_;
    QString seed_;
    QByteArray seedUtf8_;
    QByteArray printed_;
    QByteArrayView filed_;
};

} // namespace

int RunWordsCommand(const Options& options) {
    TerminalProgress progress;
    const bool onTerminal = IsTerminal(stderr);
    progress.setEnabled(onTerminal);
    StopSignals::catchThem();

    TileValues tiles = TileValues::English();
    if (!options.tileValuesPath.isEmpty()) {
        QFile file(options.tileValuesPath);
        if (!file.open(QIODevice::ReadOnly))
            return Fail(options.tileValuesPath + u" could not be opened: "_s + file.errorString());
        QString error;
        const auto read = TileValues::parse(DecodeLine(file.readAll()), options.foldAccents, error);
        if (!read) {
            std::fprintf(stderr, "makewords: %s, %s\n", qUtf8Printable(options.tileValuesPath),
                         qUtf8Printable(error));
            return ExitUsage;
        }
        tiles = *read;
    }

    const QString listPath = options.settings.text(Field::WordList);
    const QString outputPath = options.settings.text(Field::Output);
    const bool printOnly = IsStandardStream(outputPath);
    const bool listFromInput = IsStandardStream(listPath);
    const double minimumLength = NumericValue(options.settings.text(Field::MinimumLength));
    Seeds seeds(options);
    const auto minimumFits = [&](const QString& seed) {
        return options.mode == FitMode::ContainsAll ||
               minimumLength <= static_cast<double>(seed.size() + options.blanks);
    };

    // The checks of the make-words run, in its order.
    if (!seeds.many() && !minimumFits(options.settings.text(Field::Seed)))
        return Fail(MinimumTooLong);
    if (!listFromInput && !FileExists(listPath))
        return Fail(listPath + u" not found!"_s);
    if (!printOnly) {
        for (const QString& read : {listPath, seeds.path()}) {
            if (!IsStandardStream(read) && IsSameFile(read, outputPath))
                return Fail(outputPath +
                            u" is the word list itself! Choose another output file."_s);
        }
    }
    QString error;
    if (!seeds.open(error, onTerminal))
        return Fail(error);

    OutputWriter output(outputPath);
    if (!printOnly && !output.open())
        return Fail(outputPath + u" could not be opened for appending: "_s + output.errorString());

    // One seed goes through a list file as it is read, after a counting pass
    // that settles its encoding, as the make-words run does. Many seeds, or a
    // list that can be read only once, search the list kept in memory.
    WordListReader reader(listPath);
    const bool streams = !seeds.many() && !listFromInput;
    TextEncoding encoding = TextEncoding::Utf8;
    qint64 itemTotal = 0;
    if (streams) {
        WordListReader counter(listPath);
        if (!counter.open())
            return Fail(listPath + u" could not be opened: "_s + counter.errorString());
        if (!counter.countItems(itemTotal))
            return Fail(listPath + u" could not be read: "_s + counter.errorString());
        encoding = counter.encoding();
        reader.setChecksEncoding(false);
    }
    if (!(listFromInput ? reader.openStandardInput() : reader.open()))
        return Fail(listPath + u" could not be opened: "_s + reader.errorString());
    WordList list;
    WordSearch search(tiles, options.foldAccents);
    if (!streams) {
        if (!list.load(reader))
            return Fail(listPath + u" could not be read: "_s + list.errorString());
        reader.close();
        if (seeds.many())
            search.buildIndex(list);
    }
    const auto run = [&](const WordQuery& asked, const WordSearch::Found& found,
                         const WordSearch::Progress& told) {
        return streams ? search.run(asked, reader, encoding, itemTotal, found, told)
                       : search.run(asked, list, found, told);
    };

    WordQuery query;
    query.blanks = options.blanks;
    query.mode = options.mode;
    query.minimumLength = minimumLength;
    query.maximumLength = options.maximumLength;
    query.pattern = options.pattern ? &*options.pattern : nullptr;
    query.regex = options.regex ? &*options.regex : nullptr;

    ResultLines lines(stdout, printOnly ? nullptr : &output, progress);
    LineFormat format(options, streams ? encoding : list.encoding());
    bool writeFailed = false;
    const auto printMatch = [&](const WordMatch& match) {
        format.make(query.seed, match);
        writeFailed = !lines.add(format.printed(), format.filed());
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
                const ProgressTexts texts = ProgressText(1, share);
                progress.draw(texts.percentage);
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
                         qUtf8Printable(MinimumTooLong));
            continue;
        }
        qsizetype listed = 0;
        const qsizetype limit = options.limit.value_or(-1);
        if (limit == 0)
            continue;
        if (options.sort == SortOrder::List) {
            outcome = run(
                query,
                [&](const WordMatch& match) { return printMatch(match) && ++listed != limit; },
                showProgress);
            if (outcome == WordSearch::Outcome::Stopped && listed == limit && !writeFailed &&
                !StopSignals::requested())
                outcome = WordSearch::Outcome::Done;
        } else {
            sorted.clear();
            outcome = run(
                query,
                [&](const WordMatch& match) {
                    sorted.push_back(match);
                    return true;
                },
                showProgress);
            SortMatches(sorted, options.sort);
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

    if (streams && reader.hasError())
        return Fail(listPath + u" could not be read: "_s + reader.errorString());
    const bool flushed = !writeFailed && lines.flush();
    const bool closed = output.close();
    progress.clear();
    if (!flushed || !closed)
        return Fail(outputPath + u" could not be written: "_s +
                    (flushed ? output.errorString() : lines.errorString()));
    if (outcome == WordSearch::Outcome::RegexTooSlow)
        return Fail(u"the regular expression gave up on '"_s + search.failedWord() +
                    u"': it takes too long there. Try a simpler one."_s);
    if (seeds.hasError())
        return Fail(seeds.errorString());

    const bool stopped = StopSignals::requested();
    const QString report = (stopped ? u"Stopped!\r\n"_s : u"Done!\r\n"_s) +
                           QString::number(lines.count()) + u" words found."_s +
                           (printOnly ? QString() : u"\r\n"_s + outputPath + u" created!"_s);
    std::fflush(stdout);
    Print(stderr, MessageLine(MessageKind::Report, report));
    return stopped ? 128 + StopSignals::signal() : ExitDone;
}

} // namespace Vorlaine
