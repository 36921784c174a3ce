// The shared XML layer: what the escaping writes reads back as it was, what XML cannot carry is
// found, and the parser refuses declarations and deep nesting wherever they stand.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/xml/XmlEscape.h"
#include "platform/xml/XmlParser.h"

namespace glossel::xml {
namespace {

struct Refused : std::runtime_error {
    Refused(std::uint64_t at, std::string_view what)
        : std::runtime_error(std::string(what)), line(at) {}
    std::uint64_t line;
};

class ThrowingFailure final : public XmlFailure {
public:
    [[noreturn]] void fail(std::uint64_t line, std::string_view what) const override {
        throw Refused(line, what);
    }
};

// Collects the text of every element, so that a document can be read back.
class TextCollector final : public XmlHandler {
public:
    void start(const XmlName&, const XmlAttributes& attributes) override {
        if (const char* value = attributes.find("v")) {
            attribute = value;
        }
    }
    void end(const XmlName&) override {}
    void text(std::string_view piece) override { content += piece; }

    std::string content;
    std::string attribute;
};

TextCollector parsed(const std::string& document, unsigned maxDepth = 16) {
    TextCollector collector;
    const ThrowingFailure failure;
    XmlParser parser(collector, failure, maxDepth);
    // Fed in small pieces, as a file is read.
    for (std::size_t at = 0; at < document.size(); at += 7) {
        parser.feed(std::string_view(document).substr(at, 7), false);
    }
    parser.feed({}, true);
    return collector;
}

TEST(XmlEscape, ContentAndAttributesReadBackAsWritten) {
    const std::string text = "a<b & c>\r\nd\r\te \"f\" \xF0\x9F\x98\x80";
    std::string document = "<e v=\"";
    appendEscapedAttribute(document, text);
    document += "\">";
    appendEscapedContent(document, text);
    document += "</e>";
    EXPECT_NE(document.find("&#13;"), std::string::npos);
    const TextCollector read = parsed(document);
    EXPECT_EQ(read.content, text);
    EXPECT_EQ(read.attribute, text);
}

TEST(XmlEscape, FindsWhatXmlCannotCarry) {
    EXPECT_EQ(findUncarriable("tab\tLF\nCR\r ok"), std::string_view::npos);
    EXPECT_EQ(findUncarriable("ab\x01"), 2u);
    EXPECT_EQ(findUncarriable("a\x1F"), 1u);
    EXPECT_EQ(findUncarriable("x\xEF\xBF\xBEy"), 1u);  // U+FFFE
    EXPECT_EQ(uncarriableAt("\xEF\xBF\xBF", 0), char32_t{0xFFFF});
    EXPECT_EQ(findUncarriable("\xEF\xBF\xBD"), std::string_view::npos);  // U+FFFD is fine
    EXPECT_TRUE(needsPreservedSpace(" a"));
    EXPECT_TRUE(needsPreservedSpace("a\n"));
    EXPECT_FALSE(needsPreservedSpace("a b"));
}

TEST(XmlParser, RefusesDeclarationsAndDeepNestingWithTheLine) {
    const auto refusal = [](const std::string& document, unsigned maxDepth = 16) {
        try {
            parsed(document, maxDepth);
        } catch (const Refused& refused) {
            return std::to_string(refused.line) + ": " + refused.what();
        }
        return std::string("taken");
    };
    EXPECT_EQ(refusal("<?xml version=\"1.0\"?>\n<!DOCTYPE e>\n<e/>"),
              "2: das XML enthält eine Dokumenttyp-Deklaration (DOCTYPE)");
    EXPECT_EQ(refusal("<!DOCTYPE e [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><e>&x;</e>"),
              "1: das XML enthält eine Dokumenttyp-Deklaration (DOCTYPE)");
    EXPECT_EQ(refusal("<a><b><c/></b></a>", 2),
              "1: die Elemente sind tiefer als 2 Ebenen verschachtelt");
    EXPECT_EQ(refusal("<a><b><c/></b></a>", 3), "taken");
    EXPECT_EQ(refusal("<a>\n<b></a>").rfind("2: das XML ist fehlerhaft (", 0), 0u);
}

}  // namespace
}  // namespace glossel::xml
