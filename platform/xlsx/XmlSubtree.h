// Writes parsed elements back as XML text, with the prefixes the document used: for the parts of
// a part the engine keeps without interpreting them (the runs of a formatted text, a formula).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/xlsx/PartXml.h"

namespace glossel::xlsx {

class XmlSubtree {
public:
    void declareNamespace(std::string_view prefix, std::string_view uri);
    void start(const XmlName& name, const XmlAttributes& attributes);
    void end(const XmlName& name);
    void text(std::string_view text);

    const std::string& xml() const { return xml_; }
    void clear() { xml_.clear(); }

private:
    void appendName(const XmlName& name);

    std::string xml_;
    std::vector<std::pair<std::string, std::string>> declarations_;  // for the next start tag
};

}  // namespace glossel::xlsx
