// Relationship parts, and target names resolved against the part they belong to.
#include "platform/xlsx/PackageParts.h"

#include "platform/xlsx/OoxmlFormat.h"
#include "platform/xlsx/PartXml.h"

namespace glossel::xlsx {
namespace {

// The type's last segment, for either form of the relationship type names.
std::string typeName(std::string_view type) {
    for (const std::string_view base : {rel::kTransitionalBase, rel::kStrictBase}) {
        if (type.substr(0, base.size()) == base) {
            return std::string(type.substr(base.size()));
        }
    }
    return std::string(type);
}

// `target` resolved against the folder of `source`: "worksheets/a.xml" from "/xl/workbook.xml"
// is "/xl/worksheets/a.xml"; "/x.xml" stays; ".." goes up a folder.
std::string resolved(std::string_view source, std::string_view target) {
    std::string base;
    if (target.empty() || target.front() != '/') {
        base = std::string(source.substr(0, source.rfind('/') + 1));
    }
    std::vector<std::string> segments;
    const std::string whole = base + std::string(target);
    for (std::size_t at = 0; at <= whole.size();) {
        const std::size_t end = std::min(whole.find('/', at), whole.size());
        const std::string segment = whole.substr(at, end - at);
        if (segment == "..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        at = end + 1;
    }
    std::string name;
    for (const std::string& segment : segments) {
        name += "/" + segment;
    }
    return name;
}

class RelationshipsHandler : public XmlHandler {
public:
    RelationshipsHandler(std::string_view source, std::vector<Relationship>& found)
        : source_(source), found_(found) {}

    void start(const XmlName& name, const XmlAttributes& attributes) override {
        if (name.local != "Relationship") {
            return;
        }
        const char* id = attributes.find("Id");
        const char* type = attributes.find("Type");
        const char* target = attributes.find("Target");
        const char* mode = attributes.find("TargetMode");
        if (!id || !type || !target) {
            parser->fail("einer Beziehung fehlt Id, Type oder Target");
        }
        if (mode && std::string_view(mode) == "External") {
            return;
        }
        found_.push_back({id, typeName(type), resolved(source_, target)});
    }
    void end(const XmlName&) override {}

    XmlParser* parser = nullptr;

private:
    std::string_view source_;
    std::vector<Relationship>& found_;
};

}  // namespace

std::string relationshipsPartOf(std::string_view partName) {
    const std::size_t slash = partName.rfind('/');
    const std::string_view folder = slash == std::string_view::npos ? "" : partName.substr(0, slash);
    const std::string_view file =
        slash == std::string_view::npos ? partName : partName.substr(slash + 1);
    return std::string(folder) + "/_rels/" + std::string(file) + ".rels";
}

std::vector<Relationship> readRelationships(const ZipReader& zip, std::string_view partName) {
    const std::string relationshipsPart = relationshipsPartOf(partName);
    const ZipEntry* entry = zip.find(relationshipsPart);
    std::vector<Relationship> found;
    if (!entry) {
        return found;
    }
    const PartPlace place{zip.path(), entry->name};
    RelationshipsHandler handler(partName == "/" ? std::string_view("/") : partName, found);
    PartParser parser(handler, place);
    handler.parser = &parser;
    zip.inflate(*entry, [&](std::string_view piece) { parser.feed(piece, false); });
    parser.feed({}, true);
    return found;
}

std::string readPart(const ZipReader& zip, std::string_view partName) {
    const ZipEntry* entry = zip.find(partName);
    if (!entry) {
        throwDamaged({zip.path(), partName}, "der Teil fehlt in der ZIP-Datei");
    }
    std::string content;
    zip.inflate(*entry, [&](std::string_view piece) { content += piece; });
    return content;
}

}  // namespace glossel::xlsx
