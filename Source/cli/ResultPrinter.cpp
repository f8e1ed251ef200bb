#include "cli/ResultPrinter.h"

#include "search/AnagramVocabulary.h"
#include "search/WordSearch.h"

namespace Vorlaine {

ResultPrinter::ResultPrinter(const Options& options, ResultLines& lines)
    : lines_(lines), format_(options.format), withSeed_(!options.seedsPath.isEmpty()) {}

bool ResultPrinter::printWord(const QString& seed, const WordMatch& match) {
    line_.resize(0);
    if (withSeed_ && seed != seed_) {
        seed_ = seed;
        seedUtf8_ = seed.toUtf8();
    }
    if (format_ == OutputFormat::Json) {
        line_.append('{');
        if (withSeed_) {
            line_.append("\"seed\":");
            AppendJsonString(line_, seed);
            line_.append(',');
        }
        line_.append("\"word\":");
        AppendJsonString(line_, match.word);
        line_.append(",\"length\":").append(QByteArray::number(match.length));
        line_.append(",\"score\":").append(QByteArray::number(match.score));
        line_.append(",\"blanks\":");
        AppendJsonString(line_, match.blanks);
        line_.append('}');
        return lines_.add(line_);
    }
    if (withSeed_)
        line_.append(seedUtf8_).append('\t');
    line_.append(utf8List_ ? match.bytes : match.word.toUtf8());
    return lines_.add(line_, withSeed_ ? QByteArrayView() : QByteArrayView(match.bytes));
}

QByteArray ResultPrinter::printedWord(const QString& word) const {
    if (format_ == OutputFormat::Plain)
        return word.toUtf8();
    QByteArray json;
    AppendJsonString(json, word);
    return json;
}

void ResultPrinter::setAnagramWords(const AnagramVocabulary& vocabulary) {
    vocabulary_ = &vocabulary;
    anagramWords_.clear();
    anagramWords_.reserve(vocabulary.words().size());
    for (const QString& word : vocabulary.words())
        anagramWords_.push_back(printedWord(word));
    included_.clear();
    for (const QString& word : vocabulary.included())
        included_.push_back(printedWord(word));
}

bool ResultPrinter::printAnagram(std::span<const int> indices) {
    const bool json = format_ == OutputFormat::Json;
    line_.resize(0);
    line_.append(json ? "{\"words\":[" : "");
    bool first = true;
    const QByteArrayView between = json ? "," : " ";
    const auto append = [&](const QByteArray& word) {
        AppendBytes(line_, first ? QByteArrayView() : between, word);
        first = false;
    };
    if (included_.empty()) {
        for (const int index : indices)
            append(anagramWords_[static_cast<std::size_t>(index)]);
    } else {
        // The included words, in the same order, go before the first word
        // that ranks after them.
        std::size_t included = 0;
        for (const int index : indices) {
            const auto i = static_cast<std::size_t>(index);
            while (included < static_cast<std::size_t>(vocabulary_->includedBefore(i)))
                append(included_[included++]);
            append(anagramWords_[i]);
        }
        while (included < included_.size())
            append(included_[included++]);
    }
    if (json)
        line_.append("]}");
    return lines_.add(line_);
}

} // namespace Vorlaine
