// Enumerating the characters of the Windows ANSI code pages through the program's converters.
#include "tests/transfer/CodePageCharacters.h"

#include "platform/nls/AnsiText.h"

namespace glossel::transfer::test {
namespace {

constexpr char kReplacement[] = "\uFFFD";

bool isDoubleByte(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

void addIfHeld(int codePage, const std::string& bytes, std::vector<CodePageCharacter>& out) {
    const std::string text = nls::decodeAnsi(codePage, bytes);
    if (text.empty() || text.find(kReplacement) != std::string::npos ||
        static_cast<unsigned char>(text[0]) < 0x20) {
        return;
    }
    if (nls::encodeAnsiExactly(codePage, text) == bytes) {
        out.push_back({bytes, text});
    }
}

}  // namespace

const std::vector<AnsiLanguage>& ansiLanguages() {
    static const std::vector<AnsiLanguage> languages = {
        {874, 1054},  {932, 1041},  {936, 2052},  {949, 1042},  {950, 1028},
        {1250, 1045}, {1251, 1049}, {1252, 1031}, {1253, 1032}, {1254, 1055},
        {1255, 1037}, {1256, 1025}, {1257, 1063}, {1258, 1066}};
    return languages;
}

std::vector<CodePageCharacter> charactersOf(int codePage) {
    std::vector<CodePageCharacter> characters;
    for (int lead = 0x20; lead <= 0xFF; ++lead) {
        const std::string single(1, static_cast<char>(lead));
        const std::size_t before = characters.size();
        addIfHeld(codePage, single, characters);
        if (!isDoubleByte(codePage) || characters.size() != before || lead < 0x81) {
            continue;
        }
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            addIfHeld(codePage, single + static_cast<char>(trail), characters);
        }
    }
    return characters;
}

}  // namespace glossel::transfer::test
