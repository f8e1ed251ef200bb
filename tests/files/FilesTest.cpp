#include "files/FileExists.h"
#include "files/NativePath.h"
#include "files/OutputWriter.h"
#include "support/TempFiles.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace Vorlaine {
namespace {

using Testing::TempFiles;

TEST(FileExists, OnlyRegularFilesExist) {
    TempFiles files;
    EXPECT_TRUE(FileExists(files.write("empty.txt", "")));
    EXPECT_TRUE(FileExists(files.write("list.txt", "angle\n")));
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_FALSE(FileExists(files.path("missing.txt")));
    EXPECT_FALSE(FileExists(files.path("")));
    EXPECT_FALSE(FileExists(QStringLiteral("/dev/zero")));
    EXPECT_FALSE(FileExists(QStringLiteral("/dev/null")));
    EXPECT_FALSE(FileExists(QStringLiteral("NUL")));
}

TEST(FileExists, NamedPipesAndSymbolicLinks) {
#ifdef _WIN32
    GTEST_SKIP()
        << "Linux only: Windows has no named pipes in folders, and QFile::link makes a .lnk";
#else
    TempFiles files;
    files.write("list.txt", "angle\n");
    ASSERT_EQ(mkfifo(QFile::encodeName(files.path("pipe")).constData(), 0600), 0);
    EXPECT_FALSE(FileExists(files.path("pipe")));

    QFile::link(files.path("list.txt"), files.path("link.txt"));
    EXPECT_TRUE(FileExists(files.path("link.txt"))) << "links are followed";
    QFile::link(files.path("missing.txt"), files.path("dangling.txt"));
    EXPECT_FALSE(FileExists(files.path("dangling.txt")));
#endif
}

TEST(FileExists, RelativePathsStartAtTheCurrentFolder) {
    TempFiles files;
    files.write("list.txt", "angle\n");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(files.path("")));
    EXPECT_TRUE(FileExists(QStringLiteral("list.txt")));
    EXPECT_TRUE(IsSameFile(QStringLiteral("list.txt"), files.path("list.txt")));
    QDir::setCurrent(before);
}

TEST(IsSameFile, HoweverThePathIsSpelled) {
    TempFiles files;
    const QString list = files.write("list.txt", "angle\n");
    const QString other = files.write("other.txt", "angle\n");
    std::error_code error;
    std::filesystem::create_hard_link(NativePath(list), NativePath(files.path("hard.txt")), error);
    ASSERT_FALSE(error) << error.message();
    EXPECT_TRUE(IsSameFile(list, list));
    EXPECT_TRUE(IsSameFile(list, files.path("./list.txt")));
    EXPECT_TRUE(IsSameFile(list, QDir::toNativeSeparators(list)));
    EXPECT_TRUE(IsSameFile(list, files.path("hard.txt")));
#ifndef _WIN32 // QFile::link makes a Windows shortcut, a file of its own
    QFile::link(list, files.path("link.txt"));
    EXPECT_TRUE(IsSameFile(list, files.path("link.txt")));
#endif
    EXPECT_FALSE(IsSameFile(list, other)) << "same contents, another file";
    EXPECT_FALSE(IsSameFile(list, files.path("new.txt")));
    EXPECT_FALSE(IsSameFile(list, QString()));
}

TEST(OutputWriter, AppendsAndNeverRewrites) {
    TempFiles files;
    files.write("out.txt", "old\r\nno line end");
    OutputWriter writer(files.path("out.txt"));
    ASSERT_TRUE(writer.open());
    EXPECT_TRUE(writer.appendLine("angle"));
    EXPECT_TRUE(writer.appendLine("caf\xE9"));
    // Each line is in the file at once, before the writer is closed.
    EXPECT_EQ(files.read("out.txt"), "old\r\nno line end\r\nangle\r\ncaf\xE9\r\n");
    EXPECT_TRUE(writer.close());

    OutputWriter again(files.path("out.txt"));
    ASSERT_TRUE(again.open());
    EXPECT_TRUE(again.close());
    EXPECT_EQ(files.read("out.txt"), "old\r\nno line end\r\nangle\r\ncaf\xE9\r\n");
}

TEST(OutputWriter, NoWordIsGluedToAnUnfinishedLastLine) {
    // What the file ends with, and what the first new line starts with: a
    // line cut by a killed run, or written by hand, is ended first.
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"", ""},          {"cut", "\r\n"},     {"cut\r", "\n"},
        {"whole\r\n", ""}, {"unix line\n", ""}, {"word\r\nmore\r\nha", "\r\n"},
    };
    for (const auto& [before, started] : cases) {
        TempFiles files;
        files.write("out.txt", before);
        OutputWriter writer(files.path("out.txt"));
        ASSERT_TRUE(writer.open());
        EXPECT_TRUE(writer.appendLines("a\r\nb\r\n"));
        EXPECT_TRUE(writer.appendLine("c"));
        EXPECT_EQ(files.read("out.txt"), before + started + "a\r\nb\r\nc\r\n") << before.data();

        // A run that writes nothing leaves the file as it was.
        files.write("out.txt", before);
        OutputWriter idle(files.path("out.txt"));
        ASSERT_TRUE(idle.open());
        EXPECT_TRUE(idle.close());
        EXPECT_EQ(files.read("out.txt"), before);
    }
}

TEST(OutputWriter, CreatesAMissingFile) {
    TempFiles files;
    OutputWriter writer(files.path("new.txt"));
    ASSERT_TRUE(writer.open());
    EXPECT_TRUE(files.exists("new.txt"));
    EXPECT_TRUE(writer.appendLine("gent"));
    EXPECT_EQ(files.read("new.txt"), "gent\r\n");
}

TEST(OutputWriter, Failures) {
    TempFiles files;
    OutputWriter noFolder(files.path("missing/out.txt"));
    EXPECT_FALSE(noFolder.open());
    OutputWriter folder(files.path(""));
    EXPECT_FALSE(folder.open());
#ifdef _WIN32
    EXPECT_FALSE(noFolder.errorString().isEmpty());
    EXPECT_FALSE(folder.errorString().isEmpty());
    GTEST_SKIP() << "Linux only below: its error texts, named pipes and /dev/full";
#else
    EXPECT_EQ(noFolder.errorString(), "No such file or directory");
    EXPECT_EQ(folder.errorString(), "Is a directory");

    // A named pipe without a reader would block the open for ever.
    ASSERT_EQ(mkfifo(QFile::encodeName(files.path("pipe")).constData(), 0600), 0);
    OutputWriter pipe(files.path("pipe"));
    EXPECT_FALSE(pipe.open());
    EXPECT_EQ(pipe.errorString(), "Not a regular file");

    OutputWriter full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open());
    EXPECT_FALSE(full.appendLine("angle"));
    EXPECT_EQ(full.errorString(), "No space left on device");
#endif
}

} // namespace
} // namespace Vorlaine
