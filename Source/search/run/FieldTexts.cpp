#include "search/run/FieldTexts.h"

namespace Vorlaine {

QString DefaultText(Field field) {
    switch (field) {
    case Field::Seed:
        return QStringLiteral("TANGLE");
    case Field::WordList:
        return QStringLiteral("wordlist.txt");
    case Field::MinimumLength:
        return QStringLiteral("4");
    case Field::Output:
        return QStringLiteral("NewWordsList.txt");
    }
    return {};
}

FieldTexts::FieldTexts() {
    for (const Field field : {Field::Seed, Field::WordList, Field::MinimumLength, Field::Output})
        setText(field, DefaultText(field));
}

} // namespace Vorlaine
