// Test helper: every character a Windows ANSI code page holds, with its bytes, and an LCID of a
// language that uses the code page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glossel::transfer::test {

struct CodePageCharacter {
    std::string bytes;  // in the code page
    std::string text;   // UTF-8
};

struct AnsiLanguage {
    int codePage;
    std::int32_t lcid;
};

// 874, 932, 936, 949, 950 and 1250 to 1258, each with one of its languages.
const std::vector<AnsiLanguage>& ansiLanguages();

// Every character from U+0020 on that the code page decodes from one byte or a lead and a trail
// byte and encodes back to the same bytes.
std::vector<CodePageCharacter> charactersOf(int codePage);

}  // namespace glossel::transfer::test
