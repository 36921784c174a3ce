// Reads an XLIFF 1.1 or 1.2 document as translation tools return it: its <file> elements with
// their languages, and per <trans-unit> (also inside groups) the id, the source text, the target
// text and whether the target counts as translated. Segmented targets (<mrk mtype="seg">) read as
// the text of their segments; elements and attributes of other namespaces are passed over.
//
// Refused, naming the file and the line: anything that is not well-formed XML, a DOCTYPE or
// entity declaration (nothing is ever expanded or fetched), a document that is no XLIFF, a <file>
// without source or target language, a unit without id or with an id twice in one <file>, an
// inline element (<ph>, <g>, <x/>…) in a target, and documents or texts beyond XliffFormat.h's
// limits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glossel::xliff {

struct XliffReadUnit {
    std::string id;
    std::uint64_t line = 0;  // of its start tag
    std::string source;
    std::string target;      // empty where there is no <target> or it is empty
    bool hasTarget = false;
    // Whether the target counts as translated: its state is absent or one of "translated",
    // "needs-review-…", "needs-adaptation", "final", "signed-off", or the unit is approved.
    bool translated = false;
};

struct XliffReadFile {
    std::string sourceLanguage;
    std::string targetLanguage;
    std::uint64_t line = 0;
    std::vector<XliffReadUnit> units;  // in document order
};

struct XliffDocument {
    std::vector<XliffReadFile> files;  // in document order
};

// Reads the document at `path` (joined with "\" or native). Errors: the file's own (3024 not
// found, 3051 cannot be opened), 3049 for a damaged or refused document, 3343 for XML that is no
// XLIFF.
XliffDocument readXliff(const std::string& path);

// The same for a document in memory; `path` only names it in errors.
XliffDocument parseXliff(std::string_view document, const std::string& path);

}  // namespace glossel::xliff
