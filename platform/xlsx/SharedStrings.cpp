// Reading and writing the shared strings part.
#include "platform/xlsx/SharedStrings.h"

#include <algorithm>
#include <optional>

#include "platform/xlsx/OoxmlFormat.h"
#include "platform/xlsx/PartXml.h"
#include "platform/xlsx/XmlSubtree.h"
#include "platform/xlsx/XmlText.h"
#include "platform/xml/XmlEscape.h"

namespace glossel::xlsx {
namespace {

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

bool isSpreadsheetMain(std::string_view ns) {
    return ns == ns::kMain || ns == ns::kStrictMain;
}

class SharedStringsHandler : public XmlHandler {
public:
    SharedStringsHandler(SharedStringsPart& part, spreadsheet::StringTable& strings)
        : part_(part), strings_(strings) {}

    XmlParser* parser = nullptr;

    void declareNamespace(std::string_view prefix, std::string_view uri) override {
        if (inEntry_) {
            content_.declareNamespace(prefix, uri);
        }
    }

    void start(const XmlName& name, const XmlAttributes& attributes) override {
        ++depth_;
        if (inEntry_) {
            content_.start(name, attributes);
            if (isSpreadsheetMain(name.ns)) {
                if (name.local == "r" || name.local == "rPh") {
                    formatted_ = true;
                }
                if (name.local == "rPh") {
                    phoneticDepth_ = depth_;
                } else if (name.local == "t" && !phoneticDepth_) {
                    inText_ = true;
                }
            }
        } else if (depth_ == 1) {
            if (!isSpreadsheetMain(name.ns) || name.local != "sst") {
                parser->fail("der Teil ist keine Tabelle gemeinsamer Texte (sst)");
            }
            part_.rootStartTag = std::string(parser->eventBytes());
            part_.prefix = name.prefix.empty() ? "" : std::string(name.prefix) + ":";
        } else if (depth_ == 2 && isSpreadsheetMain(name.ns) && name.local == "si") {
            inEntry_ = true;
            formatted_ = false;
            text_.clear();
            content_.clear();
        }
    }

    void end(const XmlName& name) override {
        if (inEntry_ && depth_ == 2) {
            inEntry_ = false;
            spreadsheet::StringTable::Formatting formatting;
            if (formatted_) {
                const std::string& xml = content_.xml();
                formatting.runs.assign(xml.begin(), xml.end());
            }
            strings_.add(decodeEscapes(text_), std::move(formatting));
        } else if (inEntry_) {
            content_.end(name);
            if (phoneticDepth_ == depth_) {
                phoneticDepth_ = 0;
            } else if (isSpreadsheetMain(name.ns) && name.local == "t") {
                inText_ = false;
            }
        }
        --depth_;
    }

    void text(std::string_view text) override {
        if (inEntry_) {
            content_.text(text);
            if (inText_ && !phoneticDepth_) {
                text_ += text;
            }
        }
    }

private:
    SharedStringsPart& part_;
    spreadsheet::StringTable& strings_;
    unsigned depth_ = 0;
    bool inEntry_ = false;
    bool inText_ = false;
    bool formatted_ = false;
    unsigned phoneticDepth_ = 0;
    std::string text_;
    XmlSubtree content_;
};

// The root start tag with new counts: its own count and uniqueCount attributes left out.
std::string rootWithCounts(const SharedStringsPart& part, std::uint64_t references,
                           std::uint32_t entries) {
    std::string tag = part.rootStartTag;
    if (tag.empty()) {
        tag = "<" + part.prefix + "sst xmlns" +
              (part.prefix.empty() ? "" : ":" + part.prefix.substr(0, part.prefix.size() - 1)) +
              "=\"" + std::string(ns::kMain) + "\">";
    }
    for (const std::string attribute : {" count=\"", " uniqueCount=\""}) {
        for (std::size_t at = 0; (at = tag.find(attribute.substr(1), at)) != std::string::npos;) {
            const bool standsAlone = at > 0 && (tag[at - 1] == ' ' || tag[at - 1] == '\t' ||
                                                tag[at - 1] == '\n' || tag[at - 1] == '\r');
            const std::size_t close = tag.find('"', at + attribute.size() - 1);
            if (!standsAlone || close == std::string::npos) {
                at += attribute.size();
                continue;
            }
            tag.erase(at - 1, close + 1 - (at - 1));
        }
    }
    std::size_t end = tag.size() - 1;  // the closing '>'
    if (end > 0 && tag[end - 1] == '/') {
        --end;
    }
    tag.replace(end, tag.size() - end,
                " count=\"" + std::to_string(references) + "\" uniqueCount=\"" +
                    std::to_string(entries) + "\">");
    return tag;
}

}  // namespace

SharedStringsPart readSharedStrings(const ZipReader& zip, const ZipEntry& entry,
                                    spreadsheet::StringTable& strings) {
    SharedStringsPart part;
    SharedStringsHandler handler(part, strings);
    const PartPlace place{zip.path(), entry.name};
    PartParser parser(handler, place);
    handler.parser = &parser;
    zip.inflate(entry, [&](std::string_view piece) { parser.feed(piece, false); });
    parser.feed({}, true);
    return part;
}

std::vector<std::uint32_t> sharedStringNumbers(const std::vector<bool>& used) {
    std::vector<std::uint32_t> numbers(used.size(), 0);
    std::uint32_t next = 0;
    for (std::size_t entry = 0; entry < used.size(); ++entry) {
        if (used[entry]) {
            numbers[entry] = next++;
        }
    }
    return numbers;
}

void writeSharedStrings(const SharedStringsPart& part, const spreadsheet::StringTable& strings,
                        const std::vector<bool>& used, std::uint64_t references,
                        const PieceSink& sink) {
    const auto entries = static_cast<std::uint32_t>(std::count(used.begin(), used.end(), true));
    PieceWriter pieces(sink);
    std::string& out = pieces.text;
    out += kDeclaration;
    out += rootWithCounts(part, references, entries);
    const std::string open = "<" + part.prefix;
    const std::string close = "</" + part.prefix;
    for (std::uint32_t entry = 0; entry < strings.size(); ++entry) {
        if (!used[entry]) {
            continue;
        }
        out += open;
        out += "si>";
        if (const auto* formatting = strings.formatting(entry)) {
            out.append(formatting->runs.begin(), formatting->runs.end());
        } else {
            const std::string_view text = strings.text(entry);
            out += open;
            out += xml::needsPreservedSpace(text) ? "t xml:space=\"preserve\">" : "t>";
            appendEscapedText(out, text);
            out += close;
            out += "t>";
        }
        out += close;
        out += "si>";
        pieces.handOnIfFull();
    }
    out += close;
    out += "sst>";
    pieces.handOn();
}

}  // namespace glossel::xlsx
