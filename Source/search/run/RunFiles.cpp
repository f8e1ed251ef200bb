#include "search/run/RunFiles.h"

#include "files/FileExists.h"
#include "files/WordListReader.h"
#include "search/run/RunMessages.h"

namespace Vorlaine {

QString CheckRunFiles(std::span<const RunInput> inputs, const QString& outputPath) {
    for (const RunInput& input : inputs) {
        if (!FileExists(input.path))
            return RunMessage::NotFound(input.path);
    }
    for (const RunInput& input : inputs) {
        if (IsSameFile(input.path, outputPath))
            return RunMessage::IsInput(outputPath, input.name);
    }
    return {};
}

QString CountList(const QString& path, ListCount& count) {
    WordListReader counter(path);
    if (!counter.open())
        return RunMessage::CannotOpen(path, counter.errorString());
    if (!counter.countItems(count.items))
        return RunMessage::CannotRead(path, counter.errorString());
    count.firstLineNotUtf8 = counter.firstLineNotUtf8();
    return {};
}

} // namespace Vorlaine
