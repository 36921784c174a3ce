// The relationship parts of a package: which part a relationship points at, found from the part
// that holds it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/xlsx/ZipReader.h"

namespace glossel::xlsx {

struct Relationship {
    std::string id;
    std::string type;  // its last path segment: "worksheet", "sharedStrings", ...
    std::string target;  // the part name it points at, resolved: "/xl/worksheets/sheet1.xml"
};

// "/xl/workbook.xml" → "/xl/_rels/workbook.xml.rels"; "/" → "/_rels/.rels".
std::string relationshipsPartOf(std::string_view partName);

// The internal relationships of `partName` ("/" for the package); none when it has no
// relationship part. Error 3049 naming the relationship part when it is damaged.
std::vector<Relationship> readRelationships(const ZipReader& zip, std::string_view partName);

// A part's whole content, inflated. Error 3049 naming the part when it is missing or damaged.
std::string readPart(const ZipReader& zip, std::string_view partName);

}  // namespace glossel::xlsx
