#include "MakeWordsRun.h"

#include "FileExists.h"
#include "LetterFit.h"
#include "NumberText.h"
#include "OutputWriter.h"
#include "WordListReader.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {

const QString ErrorTitle = QStringLiteral("Error");

// Most reads return the very text read before; comparing where it is stored
// spares comparing a long seed character by character for every item.
bool SameText(const QString& a, const QString& b) {
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

// The minimum length is read again for every item; the text is parsed only
// when it has changed.
class MinimumLengthField {
public:
    double read(const RunWindow& window) {
        const QString& text = window.fieldText(Field::txtminlength);
        if (!parsed_ || !SameText(text, text_)) {
            text_ = text;
            value_ = NumericValue(text_);
            parsed_ = true;
        }
        return value_;
    }

private:
    QString text_;
    double value_ = 0.0;
    bool parsed_ = false;
};

// The seed is read again for every item long enough; its letters are counted
// only when its text has changed.
class SeedField {
public:
    const SeedLetters& read(const RunWindow& window) {
        const QString& text = window.fieldText(Field::txtTANGLED);
        if (!counted_ || !SameText(text, text_)) {
            text_ = text;
            letters_.reset(text_);
            counted_ = true;
        }
        return letters_;
    }

private:
    QString text_;
    SeedLetters letters_;
    bool counted_ = false;
};

// A path as the run uses it. Line ends at its end come from pasting a copied
// line into the box; no file name is meant to end in one.
QString PathIn(const RunWindow& window, Field field) {
    QString path = window.fieldText(field);
    while (path.endsWith(u'\n') || path.endsWith(u'\r'))
        path.chop(1);
    return path;
}

RunOutcome Fail(RunWindow& window, const QString& prompt) {
    window.showMessage(prompt, ErrorTitle, MessageStyle::Exclamation);
    return RunOutcome::Failed;
}

} // namespace

ProgressTexts ProgressText(double itemTotal, double itemIndex) {
    const double percentage = itemIndex / itemTotal * 100;
    return {NumberText(percentage) + u'%', NumberText(itemTotal - itemIndex) + u" words left"_s};
}

RunOutcome RunMakeWords(RunWindow& window) {
    window.setFieldText(Field::txtText1_good, QString());

    const QString seed = window.fieldText(Field::txtTANGLED);
    if (NumericValue(window.fieldText(Field::txtminlength)) > seed.size())
        return Fail(window,
                    QStringLiteral("Minimum length can't be greater the seed word's length."));

    if (!FileExists(PathIn(window, Field::txtDragN)))
        return Fail(window, PathIn(window, Field::txtDragN) + u" not found!"_s);

    // Appending to the list being read would corrupt the user's list.
    if (IsSameFile(PathIn(window, Field::txtDragN), PathIn(window, Field::txtoutput)))
        return Fail(window, PathIn(window, Field::txtoutput) +
                                u" is the word list itself! Choose another output file."_s);

    // Counting pass. It also settles the list's encoding.
    double itemTotal = 0;
    TextEncoding encoding = TextEncoding::Utf8;
    {
        const QString path = PathIn(window, Field::txtDragN);
        WordListReader counter(path);
        if (!counter.open())
            return Fail(window, path + u" could not be opened: "_s + counter.errorString());
        qint64 count = 0;
        if (!counter.countItems(count))
            return Fail(window, path + u" could not be read: "_s + counter.errorString());
        itemTotal = static_cast<double>(count);
        encoding = counter.encoding();
    }

    const QString listPath = PathIn(window, Field::txtDragN);
    WordListReader list(listPath);
    list.setChecksEncoding(false);
    if (!list.open())
        return Fail(window, listPath + u" could not be opened: "_s + list.errorString());
    const QString outputPath = PathIn(window, Field::txtoutput);
    OutputWriter output(outputPath);
    if (!output.open()) {
        list.close();
        return Fail(window,
                    outputPath + u" could not be opened for appending: "_s + output.errorString());
    }

    // Closes the output file, then the list, and reports a failure if there was one.
    const auto finish = [&](const QString& failure) {
        const bool closed = output.close();
        list.close();
        if (!failure.isEmpty())
            return Fail(window, failure);
        if (!closed)
            return Fail(window, outputPath + u" could not be written: "_s + output.errorString());
        return RunOutcome::Finished;
    };

    QSet<QString> found;
    qint32 foundCount = 0;
    MinimumLengthField minimumLength;
    SeedField seedLetters;
    WordListItem item;
    for (double itemIndex = 1; itemIndex <= itemTotal; itemIndex += 1) {
        if (!list.readItem(item)) {
            if (list.hasError())
                return finish(listPath + u" could not be read: "_s + list.errorString());
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

        // A word has at most as many UTF-16 code units as bytes, so most short
        // items are dropped before they are decoded.
        const double minimum = minimumLength.read(window);
        if (item.overlong || minimum > item.bytes.size())
            continue;
        const SeedLetters& letters = seedLetters.read(window);
        const SeedLetters::AsciiFit asciiFit = letters.fitsAscii(item.bytes);
        if (asciiFit == SeedLetters::AsciiFit::DoesNotFit)
            continue;
        QString word;
        if (asciiFit == SeedLetters::AsciiFit::Fits) {
            word = QString::fromLatin1(item.bytes);
        } else {
            word = DecodeItem(item.bytes, encoding);
            if (minimum > word.size() || !letters.fits(word))
                continue;
        }
        if (found.contains(word))
            continue;

        // A word accepted before the window went away is still recorded.
        const bool carryOn = window.yield();
        found.insert(word);
        window.addFoundWord(word);
        if (!output.appendLine(item.bytes))
            return finish(outputPath + u" could not be written: "_s + output.errorString());
        ++foundCount;
        if (!carryOn) {
            finish({});
            return RunOutcome::Abandoned;
        }
    }

    const RunOutcome outcome = finish({});
    if (outcome != RunOutcome::Finished)
        return outcome;
    window.showMessage(u"Done!\r\n"_s + QString::number(foundCount) + u" words found.\r\n"_s +
                           PathIn(window, Field::txtoutput) + u" created!"_s,
                       QStringLiteral(":D"), MessageStyle::Plain);
    return RunOutcome::Finished;
}

} // namespace Vorlaine
