#include "files/AffixRules.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace Vorlaine {

namespace {
using Fields = std::vector<QByteArrayView>;

// The blank- and tab-separated fields of a line.
void SplitFields(QByteArrayView line, Fields& fields) {
    fields.clear();
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const qsizetype start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            fields.push_back(line.sliced(start, i - start));
    }
}

bool ParseCount(QByteArrayView field, int& count) {
    bool ok = false;
    count = field.toByteArray().toInt(&ok);
    return ok && count >= 0;
}
} // namespace

// Reads an affix file line by line. SET, FLAG and COMPLEXPREFIXES are read
// first, since they tell how every other line is to be read.
class AffixFileParser {
public:
    AffixFileParser(AffixRules& rules, QString fileName)
        : rules_(rules), fileName_(std::move(fileName)) {}

    bool parse(const QByteArray& bytes, QString& error);

private:
    bool readSettings();
    bool readDirective(const Fields& fields);
    bool readFlagOf(const Fields& fields, AffixFlag& flag);
    bool readIgnore(const Fields& fields);
    bool readOutputConversions(const Fields& header);
    bool readAliases(const Fields& header);
    bool readClass(const Fields& header);
    bool readEntry(const Fields& fields, const Fields& header, AffixEntry& entry);
    // The fields of the next line that is neither blank nor a comment; false at
    // the end of the file.
    bool nextLine(Fields& fields);
    bool fail(const QString& what);
    bool failAt(std::size_t lineNumber, const QString& what);

    AffixRules& rules_;
    QString fileName_;
    QString error_;
    std::vector<QByteArrayView> lines_;
    std::size_t next_ = 0; // the line after the current one
};

bool AffixFileParser::fail(const QString& what) {
    return failAt(next_, what);
}

bool AffixFileParser::failAt(std::size_t lineNumber, const QString& what) {
    error_ = QStringLiteral("%1 line %2: %3").arg(fileName_).arg(lineNumber).arg(what);
    return false;
}

bool AffixFileParser::nextLine(Fields& fields) {
    while (next_ < lines_.size()) {
        SplitFields(lines_[next_++], fields);
        if (!fields.empty() && !fields[0].startsWith('#'))
            return true;
    }
    return false;
}

bool AffixFileParser::parse(const QByteArray& bytes, QString& error) {
    QByteArrayView text(bytes);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    for (qsizetype start = 0; start <= text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArrayView line = text.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        lines_.push_back(line);
        start = end + 1;
    }
    bool ok = readSettings();
    Fields fields;
    next_ = 0;
    while (ok && nextLine(fields))
        ok = readDirective(fields);
    if (ok) {
        rules_.resolveContinuations();
        rules_.indexClasses();
    }
    error = error_;
    return ok;
}

bool AffixFileParser::readSettings() {
    // Without a SET line, hunspell reads ISO8859-1.
    rules_.charset_ = FindEightBitCharset("ISO8859-1");
    Fields fields;
    for (; next_ < lines_.size(); ++next_) {
        // Only these three lines matter here: the others are not split.
        const QByteArrayView line = lines_[next_];
        if (!line.startsWith("SET") && !line.startsWith("FLAG") &&
            !line.startsWith("COMPLEXPREFIXES"))
            continue;
        SplitFields(line, fields);
        if (fields[0] == "SET" && fields.size() > 1) {
            rules_.charset_ = FindEightBitCharset(fields[1]);
            QByteArray name = fields[1].toByteArray().toUpper();
            name.replace("-", "").replace("_", "");
            if (!rules_.charset_ && name != "UTF8")
                return failAt(next_ + 1, QStringLiteral("the character set %1 is not supported")
                                             .arg(QString::fromLatin1(fields[1])));
        } else if (fields[0] == "FLAG" && fields.size() > 1) {
            if (!rules_.flags_.setKind(fields[1]))
                return failAt(next_ + 1,
                              QStringLiteral("unknown flag kind %1 (char, long, num or UTF-8)")
                                  .arg(QString::fromLatin1(fields[1])));
        } else if (fields[0] == "COMPLEXPREFIXES") {
            rules_.complexPrefixes_ = true;
        }
    }
    return true;
}

bool AffixFileParser::readDirective(const Fields& fields) {
    const QByteArrayView name = fields[0];
    if (name == "PFX" || name == "SFX")
        return readClass(fields);
    if (name == "AF")
        return readAliases(fields);
    if (name == "IGNORE")
        return readIgnore(fields);
    if (name == "OCONV")
        return readOutputConversions(fields);
    if (name == "FULLSTRIP")
        rules_.fullStrip_ = true;
    else if (name == "FORBIDWARN")
        rules_.forbidWarn_ = true;
    else if (name == "NEEDAFFIX" || name == "PSEUDOROOT")
        return readFlagOf(fields, rules_.needAffix_);
    else if (name == "CIRCUMFIX")
        return readFlagOf(fields, rules_.circumfix_);
    else if (name == "FORBIDDENWORD")
        return readFlagOf(fields, rules_.forbidden_);
    else if (name == "ONLYINCOMPOUND")
        return readFlagOf(fields, rules_.onlyInCompound_);
    else if (name == "WARN")
        return readFlagOf(fields, rules_.warn_);
    // Anything else (AM, REP, COMPOUND..., KEEPCASE, TRY...) makes no forms.
    return true;
}

bool AffixFileParser::readFlagOf(const Fields& fields, AffixFlag& flag) {
    if (fields.size() < 2)
        return fail(QStringLiteral("%1 names no flag").arg(QString::fromLatin1(fields[0])));
    QString error;
    if (!rules_.flags_.decodeOne(fields[1], flag, error))
        return fail(error);
    return true;
}

bool AffixFileParser::readIgnore(const Fields& fields) {
    if (fields.size() < 2)
        return fail(QStringLiteral("IGNORE names no characters"));
    std::string text;
    if (!rules_.toUtf8(fields[1], text))
        return fail(QStringLiteral("the IGNORE characters are not UTF-8"));
    for (const char* p = text.data(); p < text.data() + text.size();)
        rules_.ignored_ += NextCharacter(p);
    std::sort(rules_.ignored_.begin(), rules_.ignored_.end());
    return true;
}

// OCONV: how the dictionary's users write what it keeps otherwise, such as
// Dutch ĳ as ij. Only letters beyond ASCII are converted: an ASCII character
// (French ' as ’) stays as word lists and players type it.
bool AffixFileParser::readOutputConversions(const Fields& header) {
    int count = 0;
    if (header.size() < 2 || !ParseCount(header[1], count))
        return fail(QStringLiteral("OCONV needs the number of its conversions"));
    Fields fields;
    const std::size_t headerLine = next_;
    for (int i = 0; i < count; ++i) {
        if (!nextLine(fields) || fields[0] != "OCONV" || fields.size() < 3)
            return failAt(headerLine,
                          QStringLiteral("%1 OCONV lines expected, found %2").arg(count).arg(i));
        std::string from, to;
        if (!rules_.toUtf8(fields[1], from) || !rules_.toUtf8(fields[2], to))
            return fail(QStringLiteral("the OCONV characters are not UTF-8"));
        if (std::any_of(from.begin(), from.end(), [](char c) { return (c & 0x80) != 0; }))
            rules_.outputConversions_.emplace_back(std::move(from), std::move(to));
    }
    return true;
}

bool AffixFileParser::readAliases(const Fields& header) {
    int count = 0;
    if (header.size() < 2 || !ParseCount(header[1], count))
        return fail(QStringLiteral("AF needs the number of its aliases"));
    Fields fields;
    const std::size_t headerLine = next_;
    for (int i = 0; i < count; ++i) {
        if (!nextLine(fields) || fields[0] != "AF")
            return failAt(headerLine,
                          QStringLiteral("%1 AF lines expected, found %2").arg(count).arg(i));
        AffixFlags flags;
        QString error;
        if (fields.size() > 1 && !rules_.flags_.decodeFlags(fields[1], flags, error))
            return fail(error);
        rules_.flags_.addAlias(std::move(flags));
    }
    return true;
}

bool AffixFileParser::readClass(const Fields& header) {
    int count = 0;
    AffixFlag flag = 0;
    if (header.size() < 4 || !ParseCount(header[3], count))
        return fail(QStringLiteral("%1 %2 needs a cross product Y or N and a number of lines")
                        .arg(QString::fromLatin1(header[0]),
                             QString::fromUtf8(header.size() > 1 ? header[1] : "")));
    QString error;
    if (!rules_.flags_.decodeOne(header[1], flag, error))
        return fail(error);
    Fields fields;
    const std::size_t headerLine = next_;
    for (int i = 0; i < count; ++i) {
        if (!nextLine(fields))
            return failAt(headerLine,
                          QStringLiteral("the file ends before the %1 lines of %2 %3")
                              .arg(count)
                              .arg(QString::fromLatin1(header[0]), QString::fromUtf8(header[1])));
        AffixEntry entry;
        if (!readEntry(fields, header, entry))
            return false;
        rules_.addEntry(std::move(entry), flag);
    }
    return true;
}

bool AffixFileParser::readEntry(const Fields& fields, const Fields& header, AffixEntry& entry) {
    if (fields.size() < 4 || fields[0] != header[0] || fields[1] != header[1])
        return fail(QStringLiteral("a line \"%1 %2 strip affix condition\" was expected")
                        .arg(QString::fromLatin1(header[0]), QString::fromUtf8(header[1])));
    entry.atStart = header[0] == "PFX";
    entry.cross = header[2] == "Y";
    QByteArrayView affix = fields[3];
    const qsizetype slash = affix.indexOf('/');
    if (slash >= 0) {
        QString error;
        if (!rules_.flags_.decode(affix.sliced(slash + 1), entry.continuation, error))
            return fail(error);
        affix.truncate(slash);
    }
    std::string condition;
    const QByteArrayView strip = fields[2] == "0" ? QByteArrayView() : fields[2];
    if (!rules_.toUtf8(strip, entry.strip) ||
        !rules_.toUtf8(affix == "0" ? QByteArrayView() : affix, entry.affix) ||
        !rules_.toUtf8(fields.size() > 4 ? fields[4] : ".", condition))
        return fail(QStringLiteral("the affix line is not UTF-8"));
    rules_.removeIgnored(entry.affix);
    if (!entry.condition.parse(condition, entry.atStart))
        return fail(QStringLiteral("the condition %1 leaves a bracket open")
                        .arg(QString::fromStdString(condition)));
    return true;
}

bool AffixRules::read(const QString& path, QString& error) {
    QFile file(path);
    const QString name = QFileInfo(path).fileName();
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1 cannot be read: %2").arg(name, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("%1 cannot be read: %2").arg(name, file.errorString());
        return false;
    }
    return AffixFileParser(*this, name).parse(bytes, error);
}

} // namespace Vorlaine
