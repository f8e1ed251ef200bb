#include "search/run/RunMessages.h"

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace RunMessage {

QString NotFound(const QString& path) {
    return path + u" not found!"_s;
}

QString NotAFile(const QString& path, FileKind kind, const QString& option) {
    const QString what = kind == FileKind::Folder   ? u"a folder"_s
                         : kind == FileKind::Device ? u"a device"_s
                         : kind == FileKind::Socket ? u"a socket"_s
                         : kind == FileKind::Pipe   ? u"a pipe"_s
                                                    : u"no file"_s;
    return path + u" is "_s + what + u", not a file to read for "_s + option + u'.';
}

QString CannotOpen(const QString& path, const QString& reason) {
    return path + u" could not be opened: "_s + reason;
}

QString CannotRead(const QString& path, const QString& reason) {
    return path + u" could not be read: "_s + reason;
}

QString CannotAppend(const QString& outputPath, const QString& reason) {
    return outputPath + u" could not be opened for appending: "_s + reason;
}

QString CannotWrite(const QString& outputPath, const QString& reason) {
    return outputPath + u" could not be written: "_s + reason;
}

QString IsInput(const QString& outputPath, const QString& input) {
    return outputPath + u" is "_s + input + u" itself! Choose another output file."_s;
}

QString MinimumTooLong() {
    return u"Minimum length can't be greater the seed word's length."_s;
}

QString ReadAsWindows1252(const QString& path, qint64 line) {
    return path + u": line "_s + QString::number(line) +
           u" is not UTF-8; it is read as Windows-1252, as is every other such line."_s;
}

QString Report(Ending ending, qint64 count, const QString& found, const QString& outputPath) {
    return (ending == Ending::Done ? u"Done!\r\n"_s : u"Stopped!\r\n"_s) + QString::number(count) +
           u' ' + found + u" found."_s +
           (outputPath.isEmpty() ? QString() : u"\r\n"_s + outputPath + u" created!"_s);
}

} // namespace RunMessage

} // namespace Vorlaine
