// Checks the forms that HunspellDictionary makes against libhunspell, for
// Debian's dictionaries:
//  (a) every form we make must be accepted by hunspell's spell check;
//  (b) of the words of Debian's plain list that hunspell accepts without
//      compounding, the share that is among our forms, exactly and ignoring case.
// "Without compounding" is hunspell run on a copy of the affix file whose
// compounding lines (COMPOUND*, CHECKCOMPOUND*) are dropped and whose BREAK
// table is emptied, so that it neither joins words nor splits them at hyphens.
//   hunspell_check [--strict] [--every N] [--out DIR] [LANGUAGE...]
//   hunspell_check --spell BASE < words
// It needs Debian's hunspell-en-us, hunspell-fr, hunspell-de-de, hunspell-es,
// hunspell-it, hunspell-nl, hunspell-pl and wamerican, wfrench, wngerman,
// wspanish, witalian, wdutch, wpolish; all seven languages take some 13
// minutes, Italian's 36 million forms most of them.
// --strict fails (exit status 1) when hunspell rejects any form; --every N
// checks (a) on every Nth form only; --out writes the rejected forms
// and the missing words of each language to DIR. (b) is also given after the
// affix file's ICONV table has turned the list's words into the dictionary's
// own spelling (Dutch keeps "ij" as the one character "ĳ", for one).
#include "files/HunspellDictionary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <hunspell/hunspell.hxx>
#include <iconv.h>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

struct Language {
    const char* name;
    const char* dic;
    const char* list;
};

const Language Languages[] = {
    {"en_US", "/usr/share/hunspell/en_US.dic", "/usr/share/dict/american-english"},
    {"fr_FR", "/usr/share/hunspell/fr_FR.dic", "/usr/share/dict/french"},
    {"de_DE", "/usr/share/hunspell/de_DE.dic", "/usr/share/dict/ngerman"},
    {"es_ES", "/usr/share/hunspell/es_ES.dic", "/usr/share/dict/spanish"},
    {"it_IT", "/usr/share/hunspell/it_IT.dic", "/usr/share/dict/italian"},
    {"nl_NL", "/usr/share/hunspell/nl_NL.dic", "/usr/share/dict/dutch"},
    {"pl_PL", "/usr/share/hunspell/pl_PL.dic", "/usr/share/dict/polish"},
};

// UTF-8 to the dictionary's own encoding, which hunspell's spell check wants.
class Encoder {
public:
    explicit Encoder(const std::string& encoding)
        : iconv_(encoding == "UTF-8" ? iconv_t(-1) : iconv_open(encoding.c_str(), "UTF-8")) {}
    ~Encoder() {
        if (iconv_ != iconv_t(-1))
            iconv_close(iconv_);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    // False when the text has a character the encoding lacks.
    bool encode(const std::string& utf8, std::string& out) {
        if (iconv_ == iconv_t(-1)) {
            out = utf8;
            return true;
        }
        out.assign(utf8.size() * 4 + 4, '\0');
        char* in = const_cast<char*>(utf8.data());
        std::size_t inLeft = utf8.size();
        char* to = out.data();
        std::size_t toLeft = out.size();
        iconv(iconv_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(iconv_, &in, &inLeft, &to, &toLeft) == std::size_t(-1))
            return false;
        out.resize(out.size() - toLeft);
        return true;
    }

private:
    iconv_t iconv_;
};

// A copy of the affix file without compounding, beside a link to the .dic.
bool WriteWithoutCompounding(const QString& dic, const QDir& into) {
    QFile aff(Vorlaine::HunspellDictionary::AffixPathFor(dic));
    QFile copy(into.filePath("plain.aff"));
    if (!aff.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly))
        return false;
    for (const QByteArray& line : aff.readAll().split('\n')) {
        if (!line.startsWith("COMPOUND") && !line.startsWith("CHECKCOMPOUND") &&
            !line.startsWith("BREAK"))
            copy.write(line + '\n');
    }
    copy.write("BREAK 0\n");
    return QFile::link(QFileInfo(dic).canonicalFilePath(), into.filePath("plain.dic"));
}

std::string Lower(const std::string& text) {
    return QString::fromStdString(text).toLower().toStdString();
}

struct Counts {
    long long forms = 0, checked = 0, rejected = 0;
    long long listWords = 0, unencodable = 0, acceptedPlain = 0, foundExact = 0, foundAnyCase = 0,
              foundConverted = 0;
};

// The ICONV table of a UTF-8 affix file: hunspell's input conversion, the
// longest pattern first at each place.
class InputConversion {
public:
    explicit InputConversion(const QString& affPath) {
        QFile aff(affPath);
        if (!aff.open(QIODevice::ReadOnly))
            return;
        for (const QByteArray& line : aff.readAll().split('\n')) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() >= 3 && fields[0] == "ICONV")
                pairs_.emplace_back(fields[1].toStdString(), fields[2].toStdString());
        }
    }
    std::string convert(const std::string& word) const {
        std::string out;
        for (std::size_t i = 0; i < word.size();) {
            const std::pair<std::string, std::string>* best = nullptr;
            for (const auto& pair : pairs_) {
                if (word.compare(i, pair.first.size(), pair.first) == 0 &&
                    (!best || pair.first.size() > best->first.size()))
                    best = &pair;
            }
            out += best ? best->second : word.substr(i, 1);
            i += best ? best->first.size() : 1;
        }
        return out;
    }

private:
    std::vector<std::pair<std::string, std::string>> pairs_;
};

double Share(long long part, long long whole) {
    return whole == 0 ? 0.0 : 100.0 * double(part) / double(whole);
}

void Report(const Language& language, const Counts& c) {
    std::printf("%s: (a) %lld forms, %lld checked, %lld rejected by hunspell: %.4f%% accepted\n",
                language.name, c.forms, c.checked, c.rejected,
                100.0 - Share(c.rejected, c.checked));
    std::printf("%s: (b) %lld list words (%lld not in the dictionary's encoding), %lld accepted "
                "without compounding; among our forms: %lld = %.2f%%, ignoring case: %lld = "
                "%.2f%%, after ICONV: %lld = %.2f%%\n",
                language.name, c.listWords, c.unencodable, c.acceptedPlain, c.foundExact,
                Share(c.foundExact, c.acceptedPlain), c.foundAnyCase,
                Share(c.foundAnyCase, c.acceptedPlain), c.foundConverted,
                Share(c.foundConverted, c.acceptedPlain));
    std::fflush(stdout);
}

} // namespace

namespace {

// Lower case, with a quick path for what is lower-case ASCII already.
std::string Folded(const std::string& text) {
    for (const char c : text) {
        if ((c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80)
            return Lower(text);
    }
    return text;
}

using WordSet = std::unordered_set<std::string>;

// The list's words that hunspell accepts without compounding.
bool ReadAcceptedWords(const Language& language, Hunspell& plain, Encoder& encoder, Counts& c,
                       WordSet& accepted) {
    QFile list(QString::fromUtf8(language.list));
    if (!list.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot read %s\n", language.name, language.list);
        return false;
    }
    std::string encoded;
    while (!list.atEnd()) {
        const std::string word = list.readLine().trimmed().toStdString();
        if (word.empty())
            continue;
        ++c.listWords;
        if (!encoder.encode(word, encoded))
            ++c.unencodable;
        else if (plain.spell(encoded))
            accepted.insert(word);
    }
    c.acceptedPlain = static_cast<long long>(accepted.size());
    return true;
}

struct Outputs {
    std::unique_ptr<QFile> rejected, missing;
};

Outputs OpenOutputs(const QString& outDir, const Language& language) {
    Outputs outputs;
    if (outDir.isEmpty())
        return outputs;
    const QString name = QString::fromUtf8(language.name);
    outputs.rejected = std::make_unique<QFile>(QDir(outDir).filePath(name + ".rejected"));
    outputs.missing = std::make_unique<QFile>(QDir(outDir).filePath(name + ".missing"));
    if (!outputs.rejected->open(QIODevice::WriteOnly) ||
        !outputs.missing->open(QIODevice::WriteOnly)) {
        outputs.rejected.reset();
        outputs.missing.reset();
    }
    return outputs;
}

bool Check(const Language& language, long long every, const QString& outDir, bool strict) {
    const QString dic = QString::fromUtf8(language.dic);
    const QByteArray aff = Vorlaine::HunspellDictionary::AffixPathFor(dic).toLocal8Bit();
    Hunspell full(aff.constData(), language.dic);
    QTemporaryDir temp;
    if (!WriteWithoutCompounding(dic, QDir(temp.path()))) {
        std::fprintf(stderr, "%s: cannot copy the affix file\n", language.name);
        return false;
    }
    Hunspell plain(QDir(temp.path()).filePath("plain.aff").toLocal8Bit().constData(),
                   QDir(temp.path()).filePath("plain.dic").toLocal8Bit().constData());
    Encoder encoder(full.get_dict_encoding());
    Counts c;
    WordSet accepted, acceptedFolded, acceptedConverted, hitExact, hitFolded, hitConverted;
    if (!ReadAcceptedWords(language, plain, encoder, c, accepted))
        return false;
    const InputConversion conversion(QString::fromLocal8Bit(aff));
    for (const std::string& word : accepted) {
        acceptedFolded.insert(Folded(word));
        acceptedConverted.insert(conversion.convert(word));
    }
    Outputs outputs = OpenOutputs(outDir, language);

    Vorlaine::HunspellDictionary dictionary(dic);
    if (!dictionary.open()) {
        std::fprintf(stderr, "%s\n", qPrintable(dictionary.errorString()));
        return false;
    }
    constexpr qint64 Room = qint64{128} * 1024;
    const auto buffer = std::make_unique<char[]>(Room);
    std::string encoded;
    qint64 count = 0;
    while ((count = dictionary.read(buffer.get(), Room)) > 0) {
        for (const QByteArray& line : QByteArray(buffer.get(), count - 1).split('\n')) {
            const std::string form = line.toStdString();
            if (++c.forms % every == 0) {
                ++c.checked;
                if (!encoder.encode(form, encoded) || !full.spell(encoded)) {
                    if (++c.rejected <= 10)
                        std::printf("%s: rejected \"%s\"\n", language.name, form.c_str());
                    if (outputs.rejected)
                        outputs.rejected->write(line + '\n');
                }
            }
            if (accepted.count(form))
                hitExact.insert(form);
            if (acceptedConverted.count(form))
                hitConverted.insert(form);
            if (const std::string folded = Folded(form); acceptedFolded.count(folded))
                hitFolded.insert(folded);
        }
    }
    if (count < 0) {
        std::fprintf(stderr, "%s\n", qPrintable(dictionary.errorString()));
        return false;
    }
    for (const std::string& word : accepted) {
        c.foundExact += hitExact.count(word) ? 1 : 0;
        const bool converted = hitConverted.count(conversion.convert(word)) > 0;
        c.foundConverted += converted ? 1 : 0;
        const bool anyCase = hitFolded.count(Folded(word)) > 0;
        c.foundAnyCase += anyCase ? 1 : 0;
        if (!anyCase && !converted && outputs.missing)
            outputs.missing->write(QByteArray::fromStdString(word) + '\n');
    }
    Report(language, c);
    return !strict || c.rejected == 0;
}

} // namespace

namespace {
// hunspell's verdict on each word of standard input, "+ word" or "- word" a
// line, with the dictionary BASE.aff and BASE.dic: the other side of
// hunspell_differential.py.
int SpellEachLine(const QString& base) {
    Hunspell hunspell((base + ".aff").toLocal8Bit().constData(),
                      (base + ".dic").toLocal8Bit().constData());
    char line[4096];
    while (std::fgets(line, sizeof line, stdin)) {
        std::string word(line);
        while (!word.empty() && (word.back() == '\n' || word.back() == '\r'))
            word.pop_back();
        std::printf("%c %s\n", hunspell.spell(word) ? '+' : '-', word.c_str());
    }
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    if (arguments.size() == 2 && arguments[0] == "--spell")
        return SpellEachLine(arguments[1]);
    long long every = 1;
    QString outDir;
    if (const qsizetype at = arguments.indexOf("--every"); at >= 0 && at + 1 < arguments.size()) {
        every = arguments[at + 1].toLongLong();
        arguments.remove(at, 2);
    }
    if (const qsizetype at = arguments.indexOf("--out"); at >= 0 && at + 1 < arguments.size()) {
        outDir = arguments[at + 1];
        arguments.remove(at, 2);
    }
    const bool strict = arguments.removeAll("--strict") > 0;
    bool ok = every >= 1;
    for (const Language& language : Languages) {
        if (ok && (arguments.isEmpty() || arguments.contains(QString::fromUtf8(language.name))))
            ok = Check(language, every, outDir, strict);
    }
    return ok ? 0 : 1;
}
