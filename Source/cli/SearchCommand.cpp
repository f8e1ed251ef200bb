#include "cli/SearchCommand.h"

#include "cli/CommandLineWindow.h"
#include "cli/StopSignals.h"
#include "files/FileExists.h"
#include "files/TextEncoding.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace Vorlaine {

SearchCommand::SearchCommand(const Options& options)
    : options_(options), outputPath_(options.settings.text(Field::Output)),
      printOnly_(IsStandardStream(outputPath_)), onTerminal_(IsTerminal(stderr)),
      output_(outputPath_), lines_(stdout, printOnly_ ? nullptr : &output_, progress_) {
    progress_.setEnabled(onTerminal_);
}

std::optional<int> SearchCommand::start(const QString& seedsPath) {
    // The files read, each with what the message calls it when it is the
    // output file. Appending to a file being read would corrupt it.
    const QString listPath = options_.settings.text(Field::WordList);
    const std::pair<QString, QString> inputs[] = {
        {options_.tileValuesPath, u"the tile-values file"_s},
        {listPath, u"the word list"_s},
        {seedsPath, u"the seeds file"_s},
    };
    for (const auto& [path, name] : inputs) {
        if (!path.isEmpty() && !IsStandardStream(path) && !FileExists(path))
            return Fail(path + u" not found!"_s);
    }
    if (!printOnly_) {
        for (const auto& [path, name] : inputs) {
            if (!path.isEmpty() && !IsStandardStream(path) && IsSameFile(path, outputPath_))
                return Fail(outputPath_ + u" is "_s + name +
                            u" itself! Choose another output file."_s);
        }
    }

    if (!options_.tileValuesPath.isEmpty()) {
        QFile file(options_.tileValuesPath);
        if (!file.open(QIODevice::ReadOnly))
            return Fail(options_.tileValuesPath + u" could not be opened: "_s + file.errorString());
        QByteArray bytes = file.readAll();
        // A byte-order mark, as the lists may start with.
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        QString error;
        const auto read = TileValues::parse(DecodeLine(bytes), options_.foldAccents, error);
        if (!read) {
            std::fprintf(stderr, "makewords: %s, %s\n", qUtf8Printable(options_.tileValuesPath),
                         qUtf8Printable(error));
            return ExitUsage;
        }
        tiles_ = *read;
    }
    return std::nullopt;
}

std::optional<int> SearchCommand::openOutput() {
    if (!printOnly_ && !output_.open())
        return Fail(outputPath_ + u" could not be opened for appending: "_s +
                    output_.errorString());
    StopSignals::catchThem();
    return std::nullopt;
}

int SearchCommand::finish(const QString& found) {
    // A write that failed before leaves its reason behind.
    const bool flushed = lines_.errorString().isEmpty() && lines_.flush();
    const bool closed = output_.close();
    progress_.clear();
    if (!flushed)
        return Fail(lines_.errorString());
    if (!closed)
        return Fail(outputPath_ + u" could not be written: "_s + output_.errorString());
    const bool stopped = StopSignals::requested();
    const QString report = (stopped ? u"Stopped!\r\n"_s : u"Done!\r\n"_s) +
                           QString::number(lines_.count()) + u' ' + found + u" found."_s +
                           (printOnly_ ? QString() : u"\r\n"_s + outputPath_ + u" created!"_s);
    if (int error = 0; !Flush(stdout, error))
        return Fail(StandardOutputFailure(error));
    Print(stderr, MessageLine(MessageKind::Report, report));
    return stopped ? 128 + StopSignals::signal() : ExitDone;
}

int Fail(const QString& message) {
    std::fflush(stdout);
    Print(stderr, MessageLine(MessageKind::Error, message));
    return ExitFailed;
}

QString DecodeLine(QByteArrayView bytes) {
    Utf8Validator utf8;
    utf8.feed(bytes);
    return DecodeItem(bytes, utf8.isValid() ? TextEncoding::Utf8 : TextEncoding::Windows1252);
}

} // namespace Vorlaine
