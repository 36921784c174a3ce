// Text in Windows code pages: converting the program's UTF-8 text to and from the bytes that
// ANSI files and the A functions of Windows hold.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace glossel::nls {

// Code page 0 stands for the machine's ANSI code page, as on Windows.
inline constexpr int kCpAcp = 0;

// The bytes of utf8 in codePage; characters the code page cannot hold become "?".
// Throws glossel::Error 5 for a code page without converter.
std::string encodeAnsi(int codePage, const std::string& utf8);

// The bytes of utf8 in codePage when the code page holds every one of its characters, so that
// decoding them gives utf8 back; nullopt when it does not (or utf8 is malformed).
// Throws glossel::Error 5 for a code page without converter.
std::optional<std::string> encodeAnsiExactly(int codePage, const std::string& utf8);

// The text of bytes in codePage as UTF-8; invalid bytes become U+FFFD.
// Throws glossel::Error 5 for a code page without converter.
std::string decodeAnsi(int codePage, const std::string& bytes);

// The machine's standard conversion to its ANSI code page (StrConv vbFromUnicode).
std::string toMachineAnsi(const std::string& utf8);

// As on Windows: decodes byteCount bytes (-1: up to and including the terminating NUL) into
// out. With outCapacity 0 it returns the number of UTF-16 units needed and writes nothing;
// otherwise the number written, or 0 if out is too small, the code page unknown or the input
// empty. Invalid bytes become U+FFFD whatever the flags say.
int MultiByteToWideChar(int codePage, std::uint32_t flags, const char* bytes, int byteCount,
                        char16_t* out, int outCapacity);

}  // namespace glossel::nls
