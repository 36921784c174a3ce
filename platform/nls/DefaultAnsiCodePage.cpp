// Windows' default ANSI code pages: one per primary language, and the locales that differ from
// their language's code page because of their script or region.
#include "platform/nls/DefaultAnsiCodePage.h"

#include <algorithm>
#include <array>

namespace glossel::nls {

namespace {

struct CodePageEntry {
    std::uint16_t id;  // primary language id, or a full language id for the exceptions
    std::uint16_t codePage;
};

constexpr int kUnicodeOnly = 0;

constexpr auto kByPrimaryLanguage = std::to_array<CodePageEntry>({
    {0x01, 1256},          // Arabic
    {0x02, 1251},          // Bulgarian
    {0x03, 1252},          // Catalan
    {0x04, 936},           // Chinese (Simplified; Traditional below)
    {0x05, 1250},          // Czech
    {0x06, 1252},          // Danish
    {0x07, 1252},          // German
    {0x08, 1253},          // Greek
    {0x09, 1252},          // English
    {0x0A, 1252},          // Spanish
    {0x0B, 1252},          // Finnish
    {0x0C, 1252},          // French
    {0x0D, 1255},          // Hebrew
    {0x0E, 1250},          // Hungarian
    {0x0F, 1252},          // Icelandic
    {0x10, 1252},          // Italian
    {0x11, 932},           // Japanese
    {0x12, 949},           // Korean
    {0x13, 1252},          // Dutch
    {0x14, 1252},          // Norwegian
    {0x15, 1250},          // Polish
    {0x16, 1252},          // Portuguese
    {0x17, 1252},          // Romansh
    {0x18, 1250},          // Romanian
    {0x19, 1251},          // Russian
    {0x1A, 1250},          // Croatian, Serbian and Bosnian in Latin script (Cyrillic below)
    {0x1B, 1250},          // Slovak
    {0x1C, 1250},          // Albanian
    {0x1D, 1252},          // Swedish
    {0x1E, 874},           // Thai
    {0x1F, 1254},          // Turkish
    {0x20, 1256},          // Urdu
    {0x21, 1252},          // Indonesian
    {0x22, 1251},          // Ukrainian
    {0x23, 1251},          // Belarusian
    {0x24, 1250},          // Slovenian
    {0x25, 1257},          // Estonian
    {0x26, 1257},          // Latvian
    {0x27, 1257},          // Lithuanian
    {0x28, 1251},          // Tajik
    {0x29, 1256},          // Persian
    {0x2A, 1258},          // Vietnamese
    {0x2B, kUnicodeOnly},  // Armenian
    {0x2C, 1254},          // Azerbaijani in Latin script (Cyrillic below)
    {0x2D, 1252},          // Basque
    {0x2E, 1252},          // Upper and Lower Sorbian
    {0x2F, 1251},          // Macedonian
    {0x30, kUnicodeOnly},  // Sesotho
    {0x31, kUnicodeOnly},  // Xitsonga
    {0x32, 1252},          // Setswana
    {0x33, kUnicodeOnly},  // Venda
    {0x34, 1252},          // isiXhosa
    {0x35, 1252},          // isiZulu
    {0x36, 1252},          // Afrikaans
    {0x37, kUnicodeOnly},  // Georgian
    {0x38, 1252},          // Faroese
    {0x39, kUnicodeOnly},  // Hindi
    {0x3A, kUnicodeOnly},  // Maltese
    {0x3B, 1252},          // Sami
    {0x3C, 1252},          // Irish
    {0x3D, kUnicodeOnly},  // Yiddish
    {0x3E, 1252},          // Malay
    {0x3F, 1251},          // Kazakh (newer Windows versions: Unicode only)
    {0x40, 1251},          // Kyrgyz
    {0x41, 1252},          // Kiswahili
    {0x42, 1250},          // Turkmen
    {0x43, 1254},          // Uzbek in Latin script (Cyrillic below)
    {0x44, 1251},          // Tatar
    {0x45, kUnicodeOnly},  // Bangla
    {0x46, kUnicodeOnly},  // Punjabi in Gurmukhi (Arabic script below)
    {0x47, kUnicodeOnly},  // Gujarati
    {0x48, kUnicodeOnly},  // Odia
    {0x49, kUnicodeOnly},  // Tamil
    {0x4A, kUnicodeOnly},  // Telugu
    {0x4B, kUnicodeOnly},  // Kannada
    {0x4C, kUnicodeOnly},  // Malayalam
    {0x4D, kUnicodeOnly},  // Assamese
    {0x4E, kUnicodeOnly},  // Marathi
    {0x4F, kUnicodeOnly},  // Sanskrit
    {0x50, 1251},          // Mongolian in Cyrillic (Mongolian script below)
    {0x51, kUnicodeOnly},  // Tibetan, Dzongkha
    {0x52, 1252},          // Welsh
    {0x53, kUnicodeOnly},  // Khmer
    {0x54, kUnicodeOnly},  // Lao
    {0x55, kUnicodeOnly},  // Burmese
    {0x56, 1252},          // Galician
    {0x57, kUnicodeOnly},  // Konkani
    {0x58, kUnicodeOnly},  // Manipuri
    {0x59, 1256},          // Sindhi in Arabic script (Devanagari below)
    {0x5A, kUnicodeOnly},  // Syriac
    {0x5B, kUnicodeOnly},  // Sinhala
    {0x5C, kUnicodeOnly},  // Cherokee
    {0x5D, 1252},          // Inuktitut in Latin script (Syllabics below)
    {0x5E, kUnicodeOnly},  // Amharic
    {0x5F, 1252},          // Tamazight in Latin script (Arabic and Tifinagh below)
    {0x60, kUnicodeOnly},  // Kashmiri
    {0x61, kUnicodeOnly},  // Nepali
    {0x62, 1252},          // Frisian
    {0x63, kUnicodeOnly},  // Pashto
    {0x64, 1252},          // Filipino
    {0x65, kUnicodeOnly},  // Divehi
    {0x66, 1252},          // Edo
    {0x67, 1252},          // Fulah
    {0x68, 1252},          // Hausa
    {0x69, 1252},          // Ibibio
    {0x6A, 1252},          // Yoruba
    {0x6B, 1252},          // Quechua
    {0x6C, 1252},          // Sesotho sa Leboa
    {0x6D, 1251},          // Bashkir
    {0x6E, 1252},          // Luxembourgish
    {0x6F, 1252},          // Greenlandic
    {0x70, 1252},          // Igbo
    {0x71, 1252},          // Kanuri
    {0x72, kUnicodeOnly},  // Oromo
    {0x73, kUnicodeOnly},  // Tigrinya
    {0x74, 1252},          // Guarani
    {0x75, 1252},          // Hawaiian
    {0x76, 1252},          // Latin
    {0x77, kUnicodeOnly},  // Somali
    {0x78, kUnicodeOnly},  // Yi
    {0x79, 1252},          // Papiamento
    {0x7A, 1252},          // Mapudungun
    {0x7C, 1252},          // Mohawk
    {0x7E, 1252},          // Breton
    {0x7F, 1252},          // invariant locale
    {0x80, 1256},          // Uyghur
    {0x81, kUnicodeOnly},  // Maori
    {0x82, 1252},          // Occitan
    {0x83, 1252},          // Corsican
    {0x84, 1252},          // Alsatian
    {0x85, 1251},          // Sakha
    {0x86, 1252},          // K'iche'
    {0x87, 1252},          // Kinyarwanda
    {0x88, 1252},          // Wolof
    {0x8C, 1256},          // Dari
    {0x91, 1252},          // Scottish Gaelic
    {0x92, 1256},          // Central Kurdish
    {0x93, 1252},          // K'iche', the number ICU also maps to it
});

constexpr auto kExceptions = std::to_array<CodePageEntry>({
    {0x0404, 950},           // Chinese (Traditional, Taiwan)
    {0x0C04, 950},           // Chinese (Traditional, Hong Kong SAR)
    {0x1404, 950},           // Chinese (Traditional, Macao SAR)
    {0x7C04, 950},           // Chinese (Traditional)
    {0x0C1A, 1251},          // Serbian (Cyrillic, Serbia and Montenegro)
    {0x1C1A, 1251},          // Serbian (Cyrillic, Bosnia and Herzegovina)
    {0x201A, 1251},          // Bosnian (Cyrillic, Bosnia and Herzegovina)
    {0x281A, 1251},          // Serbian (Cyrillic, Serbia)
    {0x301A, 1251},          // Serbian (Cyrillic, Montenegro)
    {0x641A, 1251},          // Bosnian (Cyrillic)
    {0x6C1A, 1251},          // Serbian (Cyrillic)
    {0x082C, 1251},          // Azerbaijani (Cyrillic, Azerbaijan)
    {0x742C, 1251},          // Azerbaijani (Cyrillic)
    {0x0843, 1251},          // Uzbek (Cyrillic, Uzbekistan)
    {0x7843, 1251},          // Uzbek (Cyrillic)
    {0x0846, 1256},          // Punjabi (Arabic, Pakistan)
    {0x7C46, 1256},          // Punjabi (Arabic)
    {0x0850, kUnicodeOnly},  // Mongolian (Traditional Mongolian, China)
    {0x0C50, kUnicodeOnly},  // Mongolian (Traditional Mongolian, Mongolia)
    {0x7C50, kUnicodeOnly},  // Mongolian (Traditional Mongolian)
    {0x0459, kUnicodeOnly},  // Sindhi (Devanagari, India)
    {0x045D, kUnicodeOnly},  // Inuktitut (Syllabics, Canada)
    {0x785D, kUnicodeOnly},  // Inuktitut (Syllabics)
    {0x045F, 1256},          // Tamazight (Arabic, Morocco)
    {0x105F, kUnicodeOnly},  // Tamazight (Tifinagh, Morocco)
    {0x785F, kUnicodeOnly},  // Tamazight (Tifinagh)
});

std::optional<int> find(const auto& table, std::uint16_t id) {
    auto entry = std::ranges::find_if(table, [id](const CodePageEntry& e) { return e.id == id; });
    if (entry == table.end()) {
        return std::nullopt;
    }
    return entry->codePage;
}

}  // namespace

std::optional<int> defaultAnsiCodePage(std::int32_t lcid) {
    const auto languageId = static_cast<std::uint16_t>(lcid & 0xFFFF);
    if (auto codePage = find(kExceptions, languageId)) {
        return codePage;
    }
    return find(kByPrimaryLanguage, static_cast<std::uint16_t>(languageId & 0x3FF));
}

}  // namespace glossel::nls
