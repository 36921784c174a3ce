// The registry export format (".reg", "Windows Registry Editor Version 5.00") in which the
// machine registry is kept: its constants and the layout the reader accepts.
//
//   Windows Registry Editor Version 5.00      first line, exactly (after a byte order mark)
//                                             blank lines anywhere
//   ; text                                    comment line
//   [HKEY_LOCAL_MACHINE\Software\Maker]       key: hive name, then key names joined by "\";
//                                             creates the key and every key above it
//   [-HKEY_LOCAL_MACHINE\Software\Old]        removes that key and everything below it
//   "Name"="text"                             string value; in names and texts a backslash is
//                                             written \\ and a quotation mark \"
//   @="text"                                  the key's default value (the value without name)
//   "Count"=dword:0000001f                    32-bit number, hexadecimal
//   "Data"=hex:01,ff,\                        bytes; "hex(N):" gives the value type N
//     02                                      a line ending in "\" goes on in the next line
//   "Name"=-                                  removes the value
//
// Lines end with CR LF (as regedit writes them) or LF. The file is UTF-16 LE with its byte order
// mark (as regedit writes it), or UTF-8 with or without one. Sections are applied in file order,
// as an import would: a later value replaces an earlier one of the same name. Key and value
// names compare without regard to letter case; a key keeps the spelling it was created with.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace glossel::systools {

inline constexpr std::string_view kRegHeader = "Windows Registry Editor Version 5.00";

inline constexpr std::array<std::uint8_t, 3> kUtf8ByteOrderMark{0xEF, 0xBB, 0xBF};
inline constexpr std::array<std::uint8_t, 2> kUtf16LeByteOrderMark{0xFF, 0xFE};

inline constexpr char kCommentStart = ';';
inline constexpr char kKeyStart = '[';
inline constexpr char kKeyEnd = ']';
inline constexpr char kKeyRemoval = '-';
inline constexpr char kKeySeparator = '\\';
inline constexpr char kDefaultValueName = '@';
inline constexpr char kLineContinuation = '\\';

inline constexpr std::string_view kDwordPrefix = "dword:";
inline constexpr std::string_view kHexPrefix = "hex";

// Value types as the registry numbers them.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// The registry holds keys up to 512 levels deep, the hive not counted.
inline constexpr std::size_t kMaxKeyDepth = 512;

// The hives a key line may name.
inline constexpr std::array<std::string_view, 5> kHiveNames{
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_CURRENT_CONFIG"};

}  // namespace glossel::systools
