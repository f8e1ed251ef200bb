#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace Vorlaine {

// One flag of a hunspell dictionary, whatever the kind of its FLAG line.
using AffixFlag = std::uint32_t;
using AffixFlags = std::vector<AffixFlag>; // kept sorted, so that tests can search them

// How flags are written: one byte each (the default), two bytes each
// ("FLAG long"), decimal numbers between commas ("FLAG num") or one Unicode
// character each ("FLAG UTF-8").
enum class FlagKind { Byte, Long, Number, Utf8 };

// Turns the flag fields of the affix and dictionary files into flags, through
// the AF aliases when the affix file has them.
class FlagDecoder {
public:
    // The value of a FLAG line; false for an unknown kind.
    bool setKind(QByteArrayView name);
    FlagKind kind() const { return kind_; }

    // The flags that the field names; false, with `error`, when it is malformed.
    // With aliases, the field is the alias's number.
    bool decode(QByteArrayView field, AffixFlags& flags, QString& error) const;
    // The one flag of a field such as the second of "SFX A Y 1".
    bool decodeOne(QByteArrayView field, AffixFlag& flag, QString& error) const;
    // The flags of a field, never read as an alias (the AF lines themselves).
    bool decodeFlags(QByteArrayView field, AffixFlags& flags, QString& error) const;

    // The text that a flag field naming `flag` holds; empty where that cannot
    // be told, as when flags are named by AF aliases.
    std::string textOf(AffixFlag flag) const;

    void addAlias(AffixFlags flags) { aliases_.push_back(std::move(flags)); }
    bool hasAliases() const { return !aliases_.empty(); }

    static bool Contains(const AffixFlags& flags, AffixFlag flag);

private:
    bool decodeInOrder(QByteArrayView field, AffixFlags& flags, QString& error) const;

    FlagKind kind_ = FlagKind::Byte;
    std::vector<AffixFlags> aliases_;
};

} // namespace Vorlaine
