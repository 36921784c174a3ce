// A streaming XML parser over expat for files from outside: the document is fed in pieces as it
// is read or inflated, and the handler sees elements by namespace and local name. What none of
// the exchange formats holds is refused: a DOCTYPE or any entity declaration (so no entity is ever
// expanded or fetched), and nesting deeper than the caller allows.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace glossel::xml {

// A name as the parser reports it: namespace URI (empty for none), local name, and the prefix
// the document wrote it with (empty for none).
struct XmlName {
    std::string_view ns;
    std::string_view local;
    std::string_view prefix;
};

// The attributes of a start tag.
class XmlAttributes {
public:
    explicit XmlAttributes(const char** pairs) : pairs_(pairs) {}
    // The attribute without namespace of that local name; nullptr when there is none.
    const char* find(std::string_view local) const;
    // The attribute in `ns` of that local name; nullptr when there is none.
    const char* find(std::string_view ns, std::string_view local) const;
    // name, value, name, value, ... up to a null name.
    const char** pairs() const { return pairs_; }

private:
    const char** pairs_;
};

XmlName splitName(const char* reported);

class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void start(const XmlName& name, const XmlAttributes& attributes) = 0;
    virtual void end(const XmlName& name) = 0;
    virtual void text(std::string_view) {}
    // A namespace declared on the next start tag.
    virtual void declareNamespace(std::string_view, std::string_view) {}
};

// How the parser's caller reports a document it cannot take: `line` is 0 where none is known.
// Must throw.
class XmlFailure {
public:
    virtual ~XmlFailure() = default;
    [[noreturn]] virtual void fail(std::uint64_t line, std::string_view what) const = 0;
};

class XmlParser {
public:
    // `failure` must outlive the parser; elements may nest `maxDepth` deep.
    XmlParser(XmlHandler& handler, const XmlFailure& failure, unsigned maxDepth);
    ~XmlParser();
    XmlParser(const XmlParser&) = delete;
    XmlParser& operator=(const XmlParser&) = delete;

    // Parses the next piece; `last` after the final one. XML that is not well-formed or refused
    // goes to the failure with its line; errors the handler throws pass on.
    void feed(std::string_view piece, bool last);

    // While a handler runs: where the current event's bytes start in the document, how many there
    // are (0 for the end of an empty-element tag), and the bytes themselves.
    std::uint64_t eventOffset() const;
    std::uint64_t eventLength() const;
    std::string_view eventBytes() const;
    // The line the current event is on, from 1.
    std::uint64_t line() const;
    // Ends parsing through the failure, with the current line.
    [[noreturn]] void fail(std::string_view what) const;

private:
    friend struct XmlCallbacks;
    void stop(std::exception_ptr error);

    XmlHandler& handler_;
    const XmlFailure& failure_;
    unsigned maxDepth_;
    void* parser_;
    unsigned depth_ = 0;
    std::exception_ptr error_;
};

}  // namespace glossel::xml
