#include "files/HunspellDictionary.h"

#include "files/LineScan.h"
#include "files/TextEncoding.h"

#include <QFileInfo>
#include <cstring>

namespace Vorlaine {

namespace {
// The longest .dic line read; the buffer holds one whole.
constexpr qsizetype BufferSize = qsizetype{256} * 1024;
} // namespace

bool HunspellDictionary::IsDictionaryPath(const QString& path) {
    return path.endsWith(QStringLiteral(".dic"), Qt::CaseInsensitive);
}

QString HunspellDictionary::AffixPathFor(const QString& dicPath) {
    const QString extension = dicPath.right(4) == QStringLiteral(".DIC") ? QStringLiteral(".AFF")
                                                                         : QStringLiteral(".aff");
    return dicPath.left(dicPath.size() - 4) + extension;
}

HunspellDictionary::HunspellDictionary(const QString& dicPath)
    : dicPath_(dicPath), dicName_(QFileInfo(dicPath).fileName()), file_(dicPath) {}

HunspellDictionary::~HunspellDictionary() = default;

bool HunspellDictionary::fail(const QString& what) {
    failed_ = true;
    error_ = what;
    return false;
}

bool HunspellDictionary::failOnLine(const QString& what) {
    return fail(QStringLiteral("%1 line %2: %3").arg(dicName_).arg(lineNumber_).arg(what));
}

bool HunspellDictionary::open() {
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return fail(QStringLiteral("%1 cannot be read: %2").arg(dicName_, file_.errorString()));
    const QString affPath = AffixPathFor(dicPath_);
    const QFileInfo aff(affPath);
    if (!aff.exists() || aff.isDir())
        return fail(
            QStringLiteral("%1 has no affix file %2 beside it").arg(dicName_, aff.fileName()));
    QString error;
    if (!rules_.read(affPath, error))
        return fail(error);
    expander_ = std::make_unique<WordFormExpander>(rules_);
    buffer_ = std::make_unique<char[]>(BufferSize);
    return readCount() && readForbiddenWords();
}

bool HunspellDictionary::readForbiddenWords() {
    const AffixFlag forbidden = rules_.forbiddenFlag();
    const AffixFlag warned = rules_.forbiddenWarnFlag();
    if (forbidden == 0 && warned == 0)
        return true;
    // Most lines are passed over unsplit: they hold no text of either flag.
    std::string texts[2];
    for (const AffixFlag flag : {forbidden, warned}) {
        if (flag != 0)
            texts[flag == forbidden ? 0 : 1] = rules_.flags().textOf(flag);
    }
    const bool sure = (forbidden == 0 || !texts[0].empty()) && (warned == 0 || !texts[1].empty());
    QByteArrayView line;
    QString error;
    while (nextLine(line)) {
        const std::string_view text(line.data(), static_cast<std::size_t>(line.size()));
        const std::size_t slash = text.find('/');
        if (slash == std::string_view::npos)
            continue; // no flags
        if (sure && (texts[0].empty() || text.find(texts[0], slash) == std::string_view::npos) &&
            (texts[1].empty() || text.find(texts[1], slash) == std::string_view::npos))
            continue;
        const DictionaryLine parts = SplitDictionaryLine(line);
        if (parts.flags.isEmpty() || !rules_.flags().decode(parts.flags, flags_, error))
            continue; // a malformed line is reported when the forms are made
        if ((FlagDecoder::Contains(flags_, forbidden) || FlagDecoder::Contains(flags_, warned)) &&
            readWord(parts)) {
            // Where hunspell finds a form of a forbidden word first, it
            // rejects it, whichever other word also makes it.
            forbidden_.add(word_);
            pending_.clear();
            expander_->expandForms(word_, flags_, pending_);
            for (std::size_t at = 0; at < pending_.size();) {
                const std::size_t end = pending_.find('\n', at);
                forbidden_.addForm(std::string_view(pending_).substr(at, end - at));
                at = end + 1;
            }
        }
    }
    if (failed_)
        return false;
    if (!file_.seek(0))
        return fail(QStringLiteral("%1 cannot be read: %2").arg(dicName_, file_.errorString()));
    pending_.clear();
    if (!forbidden_.empty())
        expander_->setForbidden(&forbidden_);
    begin_ = end_ = 0;
    atFileEnd_ = false;
    lineNumber_ = 0;
    return readCount();
}

bool HunspellDictionary::fill() {
    if (atFileEnd_ || failed_)
        return false;
    LineScan::MoveUnreadToFront(buffer_.get(), begin_, end_);
    const qint64 count = file_.read(buffer_.get() + end_, BufferSize - end_);
    if (count < 0)
        return fail(QStringLiteral("%1 cannot be read: %2").arg(dicName_, file_.errorString()));
    if (count == 0) {
        atFileEnd_ = true;
        return false;
    }
    end_ += count;
    return true;
}

bool HunspellDictionary::nextLine(QByteArrayView& line) {
    qsizetype scanned = begin_;
    for (;;) {
        const char* const data = buffer_.get();
        const void* const found =
            std::memchr(data + scanned, '\n', static_cast<std::size_t>(end_ - scanned));
        if (found || (atFileEnd_ && end_ > begin_)) {
            const qsizetype lineEnd = found ? static_cast<const char*>(found) - data : end_;
            line = QByteArrayView(data + begin_, lineEnd - begin_);
            begin_ = found ? lineEnd + 1 : end_;
            ++lineNumber_;
            if (line.endsWith('\r'))
                line.chop(1);
            return true;
        }
        if (begin_ == 0 && end_ == BufferSize) {
            ++lineNumber_;
            return failOnLine(QStringLiteral("the line is longer than %1 bytes").arg(BufferSize));
        }
        scanned = end_ - begin_;
        // At the end of the file the loop takes the last line, if it has no line end.
        if (!fill() && (failed_ || end_ == begin_))
            return false;
    }
}

bool HunspellDictionary::readCount() {
    QByteArrayView line;
    if (!nextLine(line)) {
        if (failed_)
            return false;
        ++lineNumber_;
        return failOnLine(QStringLiteral("the file is empty; it should begin with the number of "
                                         "its words"));
    }
    if (line.startsWith("\xEF\xBB\xBF"))
        line = line.sliced(3);
    line = line.trimmed();
    bool digits = !line.isEmpty();
    for (const char c : line)
        digits = digits && c >= '0' && c <= '9';
    if (!digits)
        return failOnLine(QStringLiteral("the first line should be the number of words, not \"%1\"")
                              .arg(QString::fromUtf8(line.first(qMin(line.size(), 40)))));
    return true;
}

bool HunspellDictionary::readWord(const DictionaryLine& parts) {
    QByteArrayView word = parts.word;
    if (parts.escaped) {
        unescaped_.assign(word.data(), static_cast<std::size_t>(word.size()));
        for (std::size_t i = 0; (i = unescaped_.find("\\/", i)) != std::string::npos; ++i)
            unescaped_.erase(i, 1);
        word = QByteArrayView(unescaped_.data(), static_cast<qsizetype>(unescaped_.size()));
    }
    // A UTF-8 word that loses no character is read where it stands.
    if (!rules_.charset() && rules_.ignored().empty()) {
        word_ = std::string_view(word.data(), static_cast<std::size_t>(word.size()));
        return IsUtf8(word);
    }
    if (!rules_.toUtf8(word, converted_))
        return false;
    rules_.removeIgnored(converted_);
    word_ = converted_;
    return true;
}

bool HunspellDictionary::expandLine(QByteArrayView line) {
    const DictionaryLine parts = SplitDictionaryLine(line);
    if (parts.empty())
        return true;
    QString error;
    if (!readWord(parts))
        return failOnLine(QStringLiteral("the word is not UTF-8, as the affix file's SET says"));
    if (!rules_.flags().decode(parts.flags, flags_, error))
        return failOnLine(error);
    expander_->expand(word_, flags_, pending_);
    rules_.convertOutput(pending_);
    return true;
}

bool HunspellDictionary::expandNextLine() {
    QByteArrayView line;
    while (nextLine(line)) {
        if (!expandLine(line))
            return false;
        if (!pending_.empty())
            return true;
    }
    return false;
}

qint64 HunspellDictionary::read(char* out, qint64 room) {
    if (!buffer_ && !failed_)
        fail(QStringLiteral("%1 was not opened").arg(dicName_));
    if (failed_)
        return -1;
    qint64 written = 0;
    for (;;) {
        const std::size_t available = pending_.size() - pendingRead_;
        const auto space = static_cast<std::size_t>(room - written);
        if (available > space) {
            // Only whole forms: up to the last line end that fits.
            const char* const from = pending_.data() + pendingRead_;
            std::size_t take = space;
            while (take > 0 && from[take - 1] != '\n')
                --take;
            if (take == 0 && written == 0) {
                failOnLine(QStringLiteral("a form of the word is longer than %1 bytes").arg(room));
                return -1;
            }
            std::memcpy(out + written, from, take);
            pendingRead_ += take;
            return written + static_cast<qint64>(take);
        }
        std::memcpy(out + written, pending_.data() + pendingRead_, available);
        written += static_cast<qint64>(available);
        pending_.clear();
        pendingRead_ = 0;
        if (!expandNextLine())
            return failed_ && written == 0 ? -1 : written;
    }
}

} // namespace Vorlaine
