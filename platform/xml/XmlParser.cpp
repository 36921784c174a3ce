// expat with namespace triplets; handler errors are carried out of expat's C frames as an
// exception_ptr and thrown again once expat has returned.
#include "platform/xml/XmlParser.h"

#include <expat.h>

#include <exception>
#include <string>

namespace glossel::xml {
namespace {

constexpr char kSeparator = '\x01';

XML_Parser parserOf(void* parser) {
    return static_cast<XML_Parser>(parser);
}

}  // namespace

XmlName splitName(const char* reported) {
    const std::string_view whole(reported);
    const std::size_t first = whole.find(kSeparator);
    if (first == std::string_view::npos) {
        return {{}, whole, {}};
    }
    const std::size_t second = whole.find(kSeparator, first + 1);
    if (second == std::string_view::npos) {
        return {whole.substr(0, first), whole.substr(first + 1), {}};
    }
    return {whole.substr(0, first), whole.substr(first + 1, second - first - 1),
            whole.substr(second + 1)};
}

const char* XmlAttributes::find(std::string_view local) const {
    for (const char** pair = pairs_; *pair; pair += 2) {
        const XmlName name = splitName(*pair);
        if (name.ns.empty() && name.local == local) {
            return pair[1];
        }
    }
    return nullptr;
}

const char* XmlAttributes::find(std::string_view ns, std::string_view local) const {
    for (const char** pair = pairs_; *pair; pair += 2) {
        const XmlName name = splitName(*pair);
        if (name.ns == ns && name.local == local) {
            return pair[1];
        }
    }
    return nullptr;
}

// The C callbacks expat calls, each running the handler inside a try block.
struct XmlCallbacks {
    static XmlParser& of(void* data) { return *static_cast<XmlParser*>(data); }

    template <typename Step>
    static void guarded(void* data, Step step) {
        XmlParser& parser = of(data);
        if (parser.error_) {
            return;
        }
        try {
            step(parser);
        } catch (...) {
            parser.stop(std::current_exception());
        }
    }

    static void start(void* data, const char* name, const char** attributes) {
        guarded(data, [&](XmlParser& parser) {
            if (++parser.depth_ > parser.maxDepth_) {
                parser.fail("die Elemente sind tiefer als " + std::to_string(parser.maxDepth_) +
                            " Ebenen verschachtelt");
            }
            parser.handler_.start(splitName(name), XmlAttributes(attributes));
        });
    }
    static void end(void* data, const char* name) {
        guarded(data, [&](XmlParser& parser) {
            --parser.depth_;
            parser.handler_.end(splitName(name));
        });
    }
    static void text(void* data, const char* text, int length) {
        guarded(data, [&](XmlParser& parser) {
            parser.handler_.text(std::string_view(text, static_cast<std::size_t>(length)));
        });
    }
    static void namespaceDeclaration(void* data, const char* prefix, const char* uri) {
        guarded(data, [&](XmlParser& parser) {
            parser.handler_.declareNamespace(prefix ? prefix : "", uri ? uri : "");
        });
    }
    static void doctype(void* data, const char*, const char*, const char*, int) {
        guarded(data, [](XmlParser& parser) {
            parser.fail("das XML enthält eine Dokumenttyp-Deklaration (DOCTYPE)");
        });
    }
    static void entity(void* data, const char* name, int, const char*, int, const char*,
                       const char*, const char*, const char*) {
        guarded(data, [&](XmlParser& parser) {
            parser.fail("das XML deklariert die Entität '" + std::string(name) + "'");
        });
    }
};

XmlParser::XmlParser(XmlHandler& handler, const XmlFailure& failure, unsigned maxDepth)
    : handler_(handler),
      failure_(failure),
      maxDepth_(maxDepth),
      parser_(XML_ParserCreateNS(nullptr, kSeparator)) {
    XML_Parser parser = parserOf(parser_);
    if (!parser) {
        throw std::bad_alloc();
    }
    XML_SetReturnNSTriplet(parser, 1);
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, XmlCallbacks::start, XmlCallbacks::end);
    XML_SetCharacterDataHandler(parser, XmlCallbacks::text);
    XML_SetStartNamespaceDeclHandler(parser, XmlCallbacks::namespaceDeclaration);
    XML_SetStartDoctypeDeclHandler(parser, XmlCallbacks::doctype);
    XML_SetEntityDeclHandler(parser, XmlCallbacks::entity);
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
}

XmlParser::~XmlParser() {
    XML_ParserFree(parserOf(parser_));
}

void XmlParser::stop(std::exception_ptr error) {
    error_ = std::move(error);
    XML_StopParser(parserOf(parser_), XML_FALSE);
}

void XmlParser::feed(std::string_view piece, bool last) {
    XML_Parser parser = parserOf(parser_);
    const XML_Status status =
        XML_Parse(parser, piece.data(), static_cast<int>(piece.size()), last ? 1 : 0);
    if (error_) {
        std::rethrow_exception(error_);
    }
    if (status != XML_STATUS_OK) {
        fail(std::string("das XML ist fehlerhaft (") + XML_ErrorString(XML_GetErrorCode(parser)) +
             ")");
    }
}

std::uint64_t XmlParser::eventOffset() const {
    return static_cast<std::uint64_t>(XML_GetCurrentByteIndex(parserOf(parser_)));
}

std::uint64_t XmlParser::eventLength() const {
    return static_cast<std::uint64_t>(XML_GetCurrentByteCount(parserOf(parser_)));
}

std::string_view XmlParser::eventBytes() const {
    int offset = 0;
    int size = 0;
    const char* buffer = XML_GetInputContext(parserOf(parser_), &offset, &size);
    const auto length = static_cast<std::size_t>(eventLength());
    if (!buffer || offset < 0 || static_cast<std::size_t>(size - offset) < length) {
        return {};
    }
    return std::string_view(buffer + offset, length);
}

std::uint64_t XmlParser::line() const {
    return XML_GetCurrentLineNumber(parserOf(parser_));
}

void XmlParser::fail(std::string_view what) const {
    failure_.fail(line(), what);
    std::terminate();  // a failure must throw
}

}  // namespace glossel::xml
