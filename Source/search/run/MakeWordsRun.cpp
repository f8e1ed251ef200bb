#include "search/run/MakeWordsRun.h"

#include "files/OutputWriter.h"
#include "files/WordListReader.h"
#include "search/letters/SeedLetters.h"
#include "search/letters/WordSet.h"
#include "search/run/NumberText.h"
#include "search/run/RunFiles.h"
#include "search/run/RunMessages.h"

#include <QElapsedTimer>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {

// A field that the run reads again for every item. Its text is turned into
// what the run needs only when it has changed. Most reads return the very text
// read before, so comparing where it is stored spares comparing a long seed
// character by character for every item.
template <typename Value> class FieldCache {
public:
    using Update = void (*)(const QString& text, Value& value);

    FieldCache(Field field, Update update) : field_(field), update_(update) {}

    const Value& read(const RunWindow& window) {
        const QString& text = window.fieldText(field_);
        const bool same = text.constData() == text_.constData() && text.size() == text_.size();
        if (!updated_ || (!same && text != text_)) {
            text_ = text;
            update_(text_, value_);
            updated_ = true;
        }
        return value_;
    }

private:
    Field field_;
    Update update_;
    QString text_;
    Value value_{};
    bool updated_ = false;
};

// Which items the run accepts, by the fields as they are for each item: the
// seed and the minimum length may change during the run.
class ItemFilter {
public:
    // The item's word, when the item is long enough and fits the seed's
    // letters.
    std::optional<QString> accept(const RunWindow& window, const WordListItem& item) {
        // A word has at most as many UTF-16 code units as bytes, so most short
        // items are dropped before they are decoded.
        const double minimum = minimumLength_.read(window);
        if (item.overlong || minimum > static_cast<double>(item.bytes.size()))
            return std::nullopt;
        const SeedLetters& letters = seedLetters_.read(window);
        const SeedLetters::AsciiFit asciiFit = letters.fitsAscii(item.bytes);
        if (asciiFit == SeedLetters::AsciiFit::DoesNotFit)
            return std::nullopt;
        if (asciiFit == SeedLetters::AsciiFit::Fits)
            return QString::fromLatin1(item.bytes);
        QString word = DecodeItem(item.bytes);
        if (minimum > static_cast<double>(word.size()) || !letters.fits(word))
            return std::nullopt;
        return word;
    }

private:
    FieldCache<double> minimumLength_{Field::MinimumLength, [](const QString& text, double& value) {
                                          value = NumericValue(text);
                                      }};
    FieldCache<SeedLetters> seedLetters_{
        Field::Seed, [](const QString& text, SeedLetters& letters) { letters.reset(text); }};
};

// A path as the run uses it. Line ends at its end come from pasting a copied
// line into the box; no file name is meant to end in one.
QString PathIn(const RunWindow& window, Field field) {
    QString path = window.fieldText(field);
    while (path.endsWith(u'\n') || path.endsWith(u'\r'))
        path.chop(1);
    return path;
}

RunOutcome ShowError(RunWindow& window, const QString& prompt) {
    window.showMessage(MessageKind::Error, prompt);
    return RunOutcome::Failed;
}

} // namespace

ProgressTexts ProgressText(double itemTotal, double itemIndex) {
    const double percentage = itemIndex / itemTotal * 100;
    return {NumberText(percentage) + u'%', NumberText(itemTotal - itemIndex) + u" words left"_s};
}

namespace {

// The words accepted since the last write. They go to the output file in one
// write, once they are many or have waited BlockAge, and only then to the
// window: every word the window shows is on disk, and a run that finds half
// a million words is not held up by a write for each.
class PendingWords {
public:
    PendingWords(OutputWriter& output, RunWindow& window) : output_(output), window_(window) {}

    void add(QByteArrayView bytes, const QString& word) {
        if (words_.empty())
            waiting_.start();
        block_.append(bytes.data(), bytes.size()).append("\r\n", 2);
        words_.push_back(word);
    }
    // Whether to write them now. The clock is read at every 64th look only:
    // reading it for every item of a long list would cost as much as the run.
    bool due() {
        if (words_.empty())
            return false;
        return block_.size() >= BlockSize || (++looks_ % 64 == 0 && waiting_.elapsed() >= BlockAge);
    }
    // Writes them and shows them; false when the write failed, and then only
    // the words whose lines reached the file whole are shown.
    bool write() {
        if (words_.empty())
            return true;
        const bool written = output_.appendLines(block_);
        const auto shown = written ? words_.size() : static_cast<std::size_t>(output_.linesKept());
        for (std::size_t i = 0; i < shown; ++i)
            window_.addFoundWord(words_[i]);
        count_ += static_cast<qint32>(shown);
        block_.resize(0);
        words_.clear();
        return written;
    }
    qint32 written() const { return count_; }

private:
    static constexpr qsizetype BlockSize = 64 * 1024;
    static constexpr qint64 BlockAge = 50; // milliseconds

    OutputWriter& output_;
    RunWindow& window_;
    QByteArray block_;
    std::vector<QString> words_;
    QElapsedTimer waiting_;
    unsigned looks_ = 0;
    qint32 count_ = 0;
};

// One press of Make Words!, step by step.
class MakeWordsRun {
public:
    explicit MakeWordsRun(RunWindow& window) : window_(window) {}

    RunOutcome run() {
        window_.clearResults();
        if (const std::optional<RunOutcome> failed = check())
            return *failed;
        if (const std::optional<RunOutcome> failed = count())
            return *failed;
        listPath_ = PathIn(window_, Field::WordList);
        WordListReader list(listPath_);
        list.setChecksEncoding(false);
        if (!list.open())
            return ShowError(window_, RunMessage::CannotOpen(listPath_, list.errorString()));
        OutputWriter output(outputPath_);
        if (!output.open()) {
            list.close();
            return ShowError(window_, RunMessage::CannotAppend(outputPath_, output.errorString()));
        }
        PendingWords pending(output, window_);
        const WalkEnd end = walk(list, pending);
        // What was accepted is written before the files close, however the
        // run ends.
        const bool written = end.kind != WalkEnd::WriteFailed && pending.write();
        const bool closed = output.close();
        list.close();
        if (end.kind == WalkEnd::Abandoned)
            return RunOutcome::Abandoned;
        if (end.kind == WalkEnd::Failed)
            return ShowError(window_, end.message);
        if (!written || !closed)
            return ShowError(window_, RunMessage::CannotWrite(outputPath_, output.errorString()));
        window_.showMessage(MessageKind::Report,
                            RunMessage::Report(RunMessage::Ending::Done, pending.written(),
                                               u"words"_s, PathIn(window_, Field::Output)));
        return RunOutcome::Finished;
    }

private:
    // How the pass over the items ended: to the end of the list, with the
    // window going away, with a write that failed or with a failure to say.
    struct WalkEnd {
        enum Kind { Done, Abandoned, WriteFailed, Failed };
        Kind kind = Done;
        QString message = {};
    };

    std::optional<RunOutcome> check() {
        const QString seed = window_.fieldText(Field::Seed);
        if (NumericValue(window_.fieldText(Field::MinimumLength)) >
            static_cast<double>(seed.size()))
            return ShowError(window_, RunMessage::MinimumTooLong());
        // Each step takes the list's path from its field, so that the tests
        // can hand it a list that changes between the steps.
        outputPath_ = PathIn(window_, Field::Output);
        const RunInput inputs[] = {{PathIn(window_, Field::WordList), u"the word list"_s}};
        if (const QString failed = CheckRunFiles(inputs, outputPath_); !failed.isEmpty())
            return ShowError(window_, failed);
        return std::nullopt;
    }

    // The counting pass. It also finds the first line that is not UTF-8.
    std::optional<RunOutcome> count() {
        ListCount count;
        if (const QString failed = CountList(PathIn(window_, Field::WordList), count);
            !failed.isEmpty())
            return ShowError(window_, failed);
        itemTotal_ = static_cast<double>(count.items);
        if (count.firstLineNotUtf8 > 0)
            window_.showNotice(RunMessage::ReadAsWindows1252(PathIn(window_, Field::WordList),
                                                             count.firstLineNotUtf8));
        return std::nullopt;
    }

    // The pass that tests each item.
    WalkEnd walk(WordListReader& list, PendingWords& pending) {
        WordSet found;
        ItemFilter filter;
        WordListItem item;
        for (double itemIndex = 1; itemIndex <= itemTotal_; itemIndex += 1) {
            if (!list.readItem(item)) {
                if (list.hasError())
                    return {WalkEnd::Failed, RunMessage::CannotRead(listPath_, list.errorString())};
                if (!pending.write())
                    return {WalkEnd::WriteFailed};
                return {WalkEnd::Failed,
                        listPath_ + u" ended after "_s + QString::number(itemIndex - 1, 'f', 0) +
                            u" of "_s + QString::number(itemTotal_, 'f', 0) +
                            u" items: it changed during the run. "_s +
                            QString::number(pending.written()) +
                            u" words were found and written to "_s + outputPath_ + u'.'};
            }
            window_.showProgress(itemTotal_, itemIndex);
            if (!window_.yield())
                return {WalkEnd::Abandoned};
            if (pending.due() && !pending.write())
                return {WalkEnd::WriteFailed};

            std::optional<QString> accepted = filter.accept(window_, item);
            if (!accepted || !found.insert(*accepted))
                continue;
            // A word accepted before the window went away is still recorded.
            const bool carryOn = window_.yield();
            pending.add(item.bytes, *accepted);
            if (!carryOn)
                return {WalkEnd::Abandoned};
        }
        return {};
    }

    RunWindow& window_;
    QString listPath_;
    QString outputPath_;
    double itemTotal_ = 0;
};

} // namespace

RunOutcome RunMakeWords(RunWindow& window) {
    return MakeWordsRun(window).run();
}

} // namespace Vorlaine
