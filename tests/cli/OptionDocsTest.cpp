// The option table is the one place an option is defined; the manual page,
// the bash completion and the README are written by hand, and this keeps
// them in step with it.

#include "cli/Options.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>

namespace Vorlaine {
namespace {

QString SourceFile(const char* path) {
    QFile file(QStringLiteral(VORLAINE_SOURCE_DIR "/") + QLatin1String(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return QString::fromUtf8(file.readAll());
}

// A name as the manual page writes it: every hyphen escaped.
QString ManName(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}
QString Escaped(QString text) {
    return text.replace(u'-', QStringLiteral("\\-"));
}

TEST(OptionDocs, ManualPageHasEveryOptionAndChoice) {
    const QString manual = SourceFile("packaging/makewords.1.in");
    for (const OptionDefinition& defined : OptionTable()) {
        // The entry's first line names the option, the short name first.
        const QString heading = defined.names.size() == 2 ? Escaped(ManName(defined.names[0])) +
                                                                QStringLiteral(" \", \" ") +
                                                                Escaped(ManName(defined.names[1]))
                                                          : Escaped(ManName(defined.longName()));
        const QRegularExpression entry(QStringLiteral("\n\\.TP\n\\.B[IR]? [^\n]*") +
                                       QRegularExpression::escape(heading) +
                                       QStringLiteral("[^\n]*\n((?:[^\n]*\n)*?)\\.(?:TP|SS|SH)"));
        const QRegularExpressionMatch match = entry.match(manual);
        ASSERT_TRUE(match.hasMatch()) << defined.longName().toStdString();
        for (const QString& choice : defined.choices)
            EXPECT_TRUE(match.captured(1).contains(QStringLiteral(".B ") + choice) ||
                        match.captured(1).contains(QStringLiteral(".BR ") + choice))
                << defined.longName().toStdString() << " " << choice.toStdString();
    }
}

// The branches of one `case` of the completion: each pattern's names, and
// what the branch does.
std::map<QString, QString> Branches(const QString& completion, const QString& caseWord) {
    const qsizetype start = completion.indexOf(QStringLiteral("case \"") + caseWord);
    const QString block =
        completion.mid(start, completion.indexOf(QStringLiteral("esac"), start) - start);
    std::map<QString, QString> branches;
    for (QString branch : block.section(u'\n', 1).split(QStringLiteral(";;"))) {
        branch.remove(QStringLiteral("\\\n"));
        const qsizetype close = branch.indexOf(u')');
        for (const QString& name : branch.left(close).split(u'|'))
            branches[name.trimmed()] = branch.mid(close + 1);
    }
    return branches;
}

TEST(OptionDocs, CompletionHasEveryOptionAndChoice) {
    const QString completion = SourceFile("packaging/makewords.bash-completion");
    const QRegularExpression allNames(QStringLiteral("compgen -W '(-s [^']*)'"));
    const QStringList offered =
        allNames.match(completion).captured(1).split(QRegularExpression(QStringLiteral("\\s+")));
    const std::map<QString, QString> afterOption = Branches(completion, QStringLiteral("$prev"));
    const std::map<QString, QString> afterEquals = Branches(completion, QStringLiteral("$cur"));
    for (const OptionDefinition& defined : OptionTable()) {
        for (const QString& name : defined.names) {
            EXPECT_TRUE(offered.contains(ManName(name))) << name.toStdString();
            // An option's value is completed, or at least not taken for an option.
            if (!defined.valueName.isEmpty()) {
                EXPECT_TRUE(afterOption.contains(ManName(name))) << name.toStdString();
            }
        }
        const QString equals = ManName(defined.longName()) + QStringLiteral("=*");
        const QString values =
            defined.takesFile ? QStringLiteral("_filedir")
                              : QStringLiteral("compgen -W '") + defined.choices.join(u' ') + u'\'';
        if (!defined.takesFile && defined.choices.isEmpty())
            continue;
        for (const QString& name : defined.names)
            EXPECT_TRUE(afterOption.at(ManName(name)).contains(values)) << name.toStdString();
        ASSERT_TRUE(afterEquals.contains(equals)) << equals.toStdString();
        EXPECT_TRUE(afterEquals.at(equals).contains(values)) << equals.toStdString();
    }
}

TEST(OptionDocs, ReadmeHasEveryOptionAndChoice) {
    const QString readme = SourceFile("README.md");
    for (const OptionDefinition& defined : OptionTable()) {
        // A row of the README's option tables starts with the option.
        const QRegularExpression row(QStringLiteral("\n\\| ([^|]*`") +
                                     QRegularExpression::escape(ManName(defined.longName())) +
                                     QStringLiteral("[ `][^\n]*)"));
        const QRegularExpressionMatch match = row.match(readme);
        ASSERT_TRUE(match.hasMatch()) << defined.longName().toStdString();
        if (defined.names.size() == 2) {
            EXPECT_TRUE(match.captured(1).startsWith(u'`' + ManName(defined.names[0]) + u'`'))
                << defined.longName().toStdString();
        }
        for (const QString& choice : defined.choices)
            EXPECT_TRUE(match.captured(1).contains(u'`' + choice + u'`')) << choice.toStdString();
    }
}

TEST(OptionDocs, ExamplesAreTheSameEverywhere) {
    const QString readme = SourceFile("README.md");
    // The manual page's examples as they read, lines joined where they go on.
    QString manual = SourceFile("packaging/makewords.1.in");
    manual.replace(QRegularExpression(QStringLiteral("\\\\e\n *")), QString());
    manual.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    manual.replace(QStringLiteral("\\(aq"), QStringLiteral("'"));
    for (const Example& example : Examples()) {
        EXPECT_TRUE(readme.contains(QStringLiteral("# ") + example.purpose + u'\n' +
                                    example.command + u'\n'))
            << example.command.toStdString();
        EXPECT_TRUE(manual.contains(QStringLiteral(".EX\n") + example.command + u'\n'))
            << example.command.toStdString();
    }
}

} // namespace
} // namespace Vorlaine
