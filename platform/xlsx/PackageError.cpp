// The texts of package errors.
#include "platform/xlsx/PackageError.h"

#include <string>

#include "platform/Error.h"
#include "platform/NativePath.h"

namespace glossel::xlsx {

void throwDamaged(const PartPlace& place, std::string_view what) {
    std::string where;
    if (!place.part.empty()) {
        where = " (Teil '" + std::string(place.part) + "'";
        if (place.line > 0) {
            where += ", Zeile " + std::to_string(place.line);
        }
        where += ")";
    }
    throw Error(err::kDamaged, "Die Arbeitsmappe '" + nativePath(std::string(place.path)) +
                                   "' ist beschädigt" + where + ": " + std::string(what) + ".");
}

void throwUnrecognised(std::string_view path, std::string_view what) {
    throw Error(err::kUnrecognisedFormat,
                "Die Datei '" + nativePath(std::string(path)) +
                    "' ist keine Excel-Arbeitsmappe im Office-Open-XML-Format (.xlsx): " +
                    std::string(what) + ".");
}

}  // namespace glossel::xlsx
