// A language text in its two forms: the stored form the project keeps (the bytes of the language's
// ANSI code page, held as the text the machine's ANSI code page makes of them) and the readable
// form of the exchange file. The export turns the one into the other; the import goes back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glossel::transfer {

// The language's default ANSI code page as GetLocaleInfoA reports it: 0 for a language without
// one, and also for an LCID the system does not know.
int languageCodePage(std::int32_t lcid);

// Whether the system knows the LCID at all.
bool isKnownLanguage(std::int32_t lcid);

// The readable form the export makes of a stored text: its bytes in the machine's code page
// decoded in the language's code page. Left as stored where the two code pages read it alike,
// where the language has no code page or no converter, and where the bytes are no valid text in
// it. nullopt when the machine's code page cannot hold the stored text.
std::optional<std::string> exportedText(const std::string& stored, int codePage,
                                        int machineCodePage);

// Why a readable text has no stored form.
struct UnstorableText {
    enum class Reason { NotInLanguageCodePage, NotInMachineCodePage };
    Reason reason;
    std::string character;  // the first character that cannot be held (UTF-8)
};

// The stored form of a readable text, the exact reverse of exportedText: encoded in the
// language's code page, each character exactly (never "?"), the bytes decoded in the machine's
// code page. A language without code page keeps the text as it is.
struct StoredText {
    std::optional<std::string> text;
    std::optional<UnstorableText> refusal;
};
StoredText storedText(const std::string& readable, int codePage, int machineCodePage);

// Whether two texts are equal once CR LF line breaks are read as LF.
bool equalButForLineBreaks(std::string_view a, std::string_view b);

}  // namespace glossel::transfer
