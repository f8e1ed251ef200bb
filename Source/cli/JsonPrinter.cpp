#include "cli/JsonPrinter.h"

#include "search/anagrams/AnagramVocabulary.h"
#include "search/query/WordHooks.h"
#include "search/query/WordQuery.h"

namespace Vorlaine {

bool JsonPrinter::printWord(const QString& seed, const WordMatch& match) {
    line_.resize(0);
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
    line_.append(",\"probability\":").append(QByteArray::number(match.probability, 'g', 10));
    if (hooks_ != nullptr) {
        line_.append(",\"hooks_before\":");
        AppendJsonString(line_, hooks_->before(match.word));
        line_.append(",\"hooks_after\":");
        AppendJsonString(line_, hooks_->after(match.word));
    }
    line_.append('}');
    return lines_.add(line_);
}

QByteArray JsonPrinter::anagramWord(const QString& word) const {
    QByteArray json;
    AppendJsonString(json, word);
    return json;
}

QByteArrayView JsonPrinter::anagramTail(std::span<const int> indices) {
    const bool blanks = vocabulary_ != nullptr && vocabulary_->hasBlanks();
    QByteArray& tail = blanks ? tail_ : fixedTail_;
    if (blanks || tail.isEmpty()) {
        tail.resize(0);
        tail.append("],\"score\":").append(QByteArray::number(anagramScore_));
        tail.append(",\"blanks\":");
        AppendJsonString(tail, blanks ? vocabulary_->blankLetters(indices) : QString());
        tail.append('}');
    }
    return tail;
}

} // namespace Vorlaine
