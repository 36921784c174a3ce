// The Office Open XML workbook package (.xlsx) as this engine reads and writes it: a zip file of
// XML parts tied together by relationship parts.
//
//   [Content_Types].xml          content type of every part
//   _rels/.rels                  the package's relationships: officeDocument → the workbook part
//   xl/workbook.xml              <sheets><sheet name= r:id=/></sheets>
//   xl/_rels/workbook.xml.rels   r:id → worksheet parts, the shared strings part, styles, …
//   xl/worksheets/sheetN.xml     <worksheet><dimension ref=/>…<sheetData><row><c r= s= t=>…
//   xl/sharedStrings.xml         <sst count= uniqueCount=><si><t>…</t></si>…</sst>
//
// Every name and namespace comes in two forms: the transitional one (ECMA-376, what Excel writes
// by default) and the ISO 29500 Strict one. Part names compare without regard to letter case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/spreadsheet/SheetLimits.h"

namespace glossel::xlsx {

inline constexpr std::uint32_t kMaxRows = 1048576;
inline constexpr std::uint32_t kMaxColumns = 16384;  // A … XFD
inline constexpr std::size_t kMaxCellCharacters = 32767;  // UTF-16 code units
inline constexpr spreadsheet::SheetLimits kSheetLimits{kMaxRows, kMaxColumns, kMaxCellCharacters,
                                                 "ein Excel-Arbeitsblatt (.xlsx)", ""};

namespace ns {
inline constexpr std::string_view kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr std::string_view kStrictMain = "http://purl.oclc.org/ooxml/spreadsheetml/main";
inline constexpr std::string_view kPackageRelationships =
    "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr std::string_view kDocumentRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr std::string_view kStrictDocumentRelationships =
    "http://purl.oclc.org/ooxml/officeDocument/relationships";
inline constexpr std::string_view kContentTypes =
    "http://schemas.openxmlformats.org/package/2006/content-types";
inline constexpr std::string_view kXml = "http://www.w3.org/XML/1998/namespace";
}  // namespace ns

// Relationship types by their last path segment, which both forms share after their base:
// ".../relationships/officeDocument", ".../relationships/worksheet", ...
namespace rel {
inline constexpr std::string_view kOfficeDocument = "officeDocument";
inline constexpr std::string_view kWorksheet = "worksheet";
inline constexpr std::string_view kSharedStrings = "sharedStrings";
inline constexpr std::string_view kTransitionalBase =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
inline constexpr std::string_view kStrictBase = "http://purl.oclc.org/ooxml/officeDocument/relationships/";
}  // namespace rel

inline constexpr std::string_view kContentTypesPart = "[Content_Types].xml";
inline constexpr std::string_view kPackageRelationshipsPart = "_rels/.rels";
inline constexpr std::string_view kSharedStringsContentType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml";

// What an untrusted package may hold. A part inflates to at most kMaxPartSize, and beyond
// kInflationGrace to at most kMaxInflationRatio times its compressed size: a zip bomb is refused
// after a few hundred megabytes of work at most.
inline constexpr std::size_t kMaxEntries = 10000;
inline constexpr std::uint64_t kMaxPartSize = std::uint64_t{1} << 30;
inline constexpr std::uint64_t kInflationGrace = std::uint64_t{1} << 20;
inline constexpr std::uint64_t kMaxInflationRatio = 100;
inline constexpr unsigned kMaxXmlDepth = 256;

}  // namespace glossel::xlsx
