// Writes an XLIFF 1.2 document into an open file, unit by unit, as the strict schema lays it out:
// one <file> per target language, a <trans-unit> per text with its source, its target where there
// is one, and its note. The texts must hold no character XML cannot carry (see XmlEscape.h):
// callers refuse those first, naming the text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files/File.h"

namespace glossel::xliff {

struct XliffFileStart {
    std::string_view original;        // the name of the file the texts come from
    std::string_view sourceLanguage;  // BCP 47 tags
    std::string_view targetLanguage;
};

struct XliffUnit {
    std::string_view id;
    std::string_view source;
    std::optional<std::string_view> target;  // none: no <target>
    std::string_view note;                   // empty: no <note>
    std::optional<std::size_t> maxWidth;     // in characters
};

class XliffWriter {
public:
    // `file` stays the caller's; `shownPath` names it in errors.
    XliffWriter(files::File& file, std::string shownPath);

    void beginFile(const XliffFileStart& start);
    void unit(const XliffUnit& unit);
    void endFile();
    // Closes the document and writes what is left. Error 3043 naming the file when a write fails,
    // here or before.
    void finish();

private:
    void flushIfFull();
    void flush();

    files::File& file_;
    std::string shownPath_;
    std::string buffer_;
};

}  // namespace glossel::xliff
