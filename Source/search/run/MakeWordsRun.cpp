#include "search/run/MakeWordsRun.h"

#include "files/OutputWriter.h"
#include "files/WordListReader.h"
#include "search/letters/SeedLetters.h"
#include "search/letters/WordSet.h"
#include "search/run/NumberText.h"
#include "search/run/RunFiles.h"
#include "search/run/RunMessages.h"

#include <optional>

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

RunOutcome RunMakeWords(RunWindow& window) {
    window.clearResults();

    const QString seed = window.fieldText(Field::Seed);
    if (NumericValue(window.fieldText(Field::MinimumLength)) > static_cast<double>(seed.size()))
        return ShowError(window, RunMessage::MinimumTooLong());

    // Each step takes the list's path from its field, so that the tests can
    // hand it a list that changes between the steps.
    const QString outputPath = PathIn(window, Field::Output);
    const RunInput inputs[] = {{PathIn(window, Field::WordList), u"the word list"_s}};
    if (const QString failed = CheckRunFiles(inputs, outputPath); !failed.isEmpty())
        return ShowError(window, failed);

    // Counting pass. It also finds the first line that is not UTF-8.
    ListCount count;
    if (const QString failed = CountList(PathIn(window, Field::WordList), count); !failed.isEmpty())
        return ShowError(window, failed);
    const auto itemTotal = static_cast<double>(count.items);
    if (count.firstLineNotUtf8 > 0)
        window.showNotice(
            RunMessage::ReadAsWindows1252(PathIn(window, Field::WordList), count.firstLineNotUtf8));

    const QString listPath = PathIn(window, Field::WordList);
    WordListReader list(listPath);
    list.setChecksEncoding(false);
    if (!list.open())
        return ShowError(window, RunMessage::CannotOpen(listPath, list.errorString()));
    OutputWriter output(outputPath);
    if (!output.open()) {
        list.close();
        return ShowError(window, RunMessage::CannotAppend(outputPath, output.errorString()));
    }

    // Closes the output file, then the list, and reports a failure if there was one.
    const auto finish = [&](const QString& failure) {
        const bool closed = output.close();
        list.close();
        if (!failure.isEmpty())
            return ShowError(window, failure);
        if (!closed)
            return ShowError(window, RunMessage::CannotWrite(outputPath, output.errorString()));
        return RunOutcome::Finished;
    };

    WordSet found;
    qint32 foundCount = 0;
    ItemFilter filter;
    WordListItem item;
    for (double itemIndex = 1; itemIndex <= itemTotal; itemIndex += 1) {
        if (!list.readItem(item)) {
            if (list.hasError())
                return finish(RunMessage::CannotRead(listPath, list.errorString()));
            return finish(listPath + u" ended after "_s + QString::number(itemIndex - 1, 'f', 0) +
                          u" of "_s + QString::number(itemTotal, 'f', 0) +
                          u" items: it changed during the run. "_s + QString::number(foundCount) +
                          u" words were found and written to "_s + outputPath + u'.');
        }

        window.showProgress(itemTotal, itemIndex);
        if (!window.yield()) {
            finish({});
            return RunOutcome::Abandoned;
        }

        std::optional<QString> accepted = filter.accept(window, item);
        if (!accepted || found.contains(*accepted))
            continue;
        const QString& word = *accepted;

        // A word accepted before the window went away is still recorded.
        const bool carryOn = window.yield();
        found.insert(word);
        window.addFoundWord(word);
        if (!output.appendLine(item.bytes))
            return finish(RunMessage::CannotWrite(outputPath, output.errorString()));
        ++foundCount;
        if (!carryOn) {
            finish({});
            return RunOutcome::Abandoned;
        }
    }

    const RunOutcome outcome = finish({});
    if (outcome != RunOutcome::Finished)
        return outcome;
    window.showMessage(MessageKind::Report,
                       RunMessage::Report(RunMessage::Ending::Done, foundCount, u"words"_s,
                                          PathIn(window, Field::Output)));
    return RunOutcome::Finished;
}

} // namespace Vorlaine
