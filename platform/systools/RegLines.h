// A ".reg" file as lines of text, each with the bytes it occupies in the file, so that a change
// can copy every untouched line byte for byte, whatever the file's encoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace glossel::systools {

enum class RegEncoding { Utf8, Utf8WithBom, Utf16Le };
enum class LineEnd { None, Lf, CrLf };

struct RegLine {
    std::string text;  // UTF-8, without the line end
    // The line's bytes in the file: [begin, end), line end included; the first line also holds
    // the byte order mark.
    std::size_t begin = 0;
    std::size_t end = 0;
    LineEnd lineEnd = LineEnd::None;
};

struct RegText {
    RegEncoding encoding = RegEncoding::Utf8;
    std::vector<RegLine> lines;
};

// Splits the file into lines. Throws glossel::Error kRegistryCorrupt, naming `source` and the
// line, for text that is not valid UTF-8 or UTF-16.
RegText splitRegLines(std::span<const std::uint8_t> bytes, const std::string& source);

// One line in the file's encoding, ready to be put between lines of that file.
std::vector<std::uint8_t> encodeRegLine(std::string_view text, LineEnd lineEnd,
                                        RegEncoding encoding);

// Throws glossel::Error kRegistryCorrupt: "<source>, Zeile <line>: <what>".
[[noreturn]] void throwRegSyntaxError(const std::string& source, std::size_t line,
                                      const std::string& what);

}  // namespace glossel::systools
