// What the XLIFF engine knows of the format: the namespaces of versions 1.1 and 1.2, the names
// it writes, and the limits for documents from outside.
#pragma once

#include <cstddef>
#include <cstdint>

namespace glossel::xliff {

inline constexpr char kNamespace12[] = "urn:oasis:names:tc:xliff:document:1.2";
inline constexpr char kNamespace11[] = "urn:oasis:names:tc:xliff:document:1.1";
inline constexpr char kXmlNamespace[] = "http://www.w3.org/XML/1998/namespace";

// Plain texts, and the state of a target taken from the project.
inline constexpr char kDatatype[] = "plaintext";
inline constexpr char kTranslatedState[] = "translated";
// Who wrote a unit's note: the project's description of the text.
inline constexpr char kNoteFrom[] = "developer";

// What a document from outside may hold.
inline constexpr std::uint64_t kMaxDocumentSize = std::uint64_t{256} << 20;
inline constexpr unsigned kMaxXmlDepth = 64;
inline constexpr std::size_t kMaxTextBytes = std::size_t{1} << 20;  // of one source or target
inline constexpr std::size_t kMaxAttributeBytes = 4096;             // of an id or language

}  // namespace glossel::xliff
