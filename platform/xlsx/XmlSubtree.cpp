// Serialising captured elements.
#include "platform/xlsx/XmlSubtree.h"

#include "platform/xlsx/XmlText.h"
#include "platform/xml/XmlEscape.h"

namespace glossel::xlsx {

void XmlSubtree::appendName(const XmlName& name) {
    if (!name.prefix.empty()) {
        xml_ += name.prefix;
        xml_ += ':';
    }
    xml_ += name.local;
}

void XmlSubtree::declareNamespace(std::string_view prefix, std::string_view uri) {
    declarations_.emplace_back(prefix, uri);
}

void XmlSubtree::start(const XmlName& name, const XmlAttributes& attributes) {
    xml_ += '<';
    appendName(name);
    for (const auto& [prefix, uri] : declarations_) {
        xml_ += prefix.empty() ? " xmlns=\"" : " xmlns:" + prefix + "=\"";
        xml::appendEscapedAttribute(xml_, uri);
        xml_ += '"';
    }
    declarations_.clear();
    for (const char** pair = attributes.pairs(); *pair; pair += 2) {
        xml_ += ' ';
        appendName(splitName(*pair));
        xml_ += "=\"";
        xml::appendEscapedAttribute(xml_, pair[1]);
        xml_ += '"';
    }
    xml_ += '>';
}

void XmlSubtree::end(const XmlName& name) {
    xml_ += "</";
    appendName(name);
    xml_ += '>';
}

void XmlSubtree::text(std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '&':
                xml_ += "&amp;";
                break;
            case '<':
                xml_ += "&lt;";
                break;
            case '>':
                xml_ += "&gt;";
                break;
            case '\r':
                xml_ += "&#13;";
                break;
            default:
                xml_ += c;
        }
    }
}

}  // namespace glossel::xlsx
