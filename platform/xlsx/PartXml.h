// The XML parser as the package's parts use it: what it cannot take is damage to the part (error
// 3049 naming the file, the part and the line), and elements nest as deep as OoxmlFormat.h allows.
#pragma once

#include "platform/xlsx/OoxmlFormat.h"
#include "platform/xlsx/PackageError.h"
#include "platform/xml/XmlParser.h"

namespace glossel::xlsx {

using xml::splitName;
using xml::XmlAttributes;
using xml::XmlHandler;
using xml::XmlName;
using xml::XmlParser;

class PartFailure : public xml::XmlFailure {
public:
    explicit PartFailure(const PartPlace& place) : place_(place) {}
    [[noreturn]] void fail(std::uint64_t line, std::string_view what) const override {
        throwDamaged({place_.path, place_.part, line}, what);
    }

private:
    PartPlace place_;
};

// The failure is a base, so that it is made before the parser that refers to it.
class PartParser : private PartFailure, public XmlParser {
public:
    PartParser(XmlHandler& handler, const PartPlace& place)
        : PartFailure(place),
          XmlParser(handler, static_cast<const PartFailure&>(*this), kMaxXmlDepth) {}
};

}  // namespace glossel::xlsx
