// Parsing the insert-select statement.
#include "platform/dao/InsertSelect.h"

#include <cctype>
#include <optional>

#include "platform/Error.h"
#include "platform/NameCompare.h"

namespace glossel::dao {
namespace {

constexpr int kSyntaxErrorInInsert = 3134;

class Tokens {
public:
    explicit Tokens(const std::string& text) : text_(text) {}

    bool atEnd() {
        skipBlanks();
        return position_ >= text_.size();
    }

    bool keyword(const char* word) {
        skipBlanks();
        std::size_t i = 0;
        for (; word[i] != '\0'; ++i) {
            if (position_ + i >= text_.size() ||
                std::toupper(static_cast<unsigned char>(text_[position_ + i])) != word[i]) {
                return false;
            }
        }
        const std::size_t end = position_ + i;
        if (end < text_.size() && isNameCharacter(text_[end])) {
            return false;
        }
        position_ = end;
        return true;
    }

    bool symbol(char c) {
        skipBlanks();
        if (position_ < text_.size() && text_[position_] == c) {
            ++position_;
            return true;
        }
        return false;
    }

    // A name, plain (letters, digits, _, and any non-ASCII character) or in [brackets].
    std::string name() {
        skipBlanks();
        if (position_ < text_.size() && text_[position_] == '[') {
            const std::size_t close = text_.find(']', position_ + 1);
            if (close == std::string::npos || close == position_ + 1) {
                return {};
            }
            std::string bracketed = text_.substr(position_ + 1, close - position_ - 1);
            position_ = close + 1;
            return bracketed;
        }
        const std::size_t start = position_;
        while (position_ < text_.size() && isNameCharacter(text_[position_])) {
            ++position_;
        }
        return text_.substr(start, position_ - start);
    }

private:
    static bool isNameCharacter(char c) {
        const auto u = static_cast<unsigned char>(c);
        return std::isalnum(u) || c == '_' || u >= 0x80;
    }

    void skipBlanks() {
        while (position_ < text_.size() &&
               std::isspace(static_cast<unsigned char>(text_[position_]))) {
            ++position_;
        }
    }

    const std::string& text_;
    std::size_t position_ = 0;
};

}  // namespace

InsertSelect InsertSelect::parse(const std::string& statement) {
    auto fail = [&](const std::string& what) -> InsertSelect {
        throw Error(kSyntaxErrorInInsert, "Syntaxfehler in der INSERT INTO-Anweisung (" + what +
                                              "): '" + statement + "'.");
    };
    Tokens tokens(statement);
    InsertSelect parsed;
    if (!tokens.keyword("INSERT") || !tokens.keyword("INTO")) {
        return fail("INSERT INTO erwartet");
    }
    parsed.target = tokens.name();
    if (parsed.target.empty()) {
        return fail("Zieltabelle fehlt");
    }
    if (!tokens.keyword("SELECT")) {
        return fail("SELECT erwartet");
    }
    do {
        std::string column = tokens.name();
        if (column.empty()) {
            return fail("Spaltenname erwartet");
        }
        parsed.columns.push_back(std::move(column));
    } while (tokens.symbol(','));
    if (!tokens.keyword("FROM")) {
        return fail("FROM erwartet");
    }
    parsed.source = tokens.name();
    if (parsed.source.empty()) {
        return fail("Quelltabelle fehlt");
    }
    tokens.symbol(';');
    if (!tokens.atEnd()) {
        return fail("unerwarteter Text am Ende");
    }
    return parsed;
}

namespace {

std::optional<std::size_t> fieldIndex(const std::vector<FieldInfo>& fields,
                                      const std::string& name) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (sameName(fields[i].name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::string rowKey(const std::optional<std::size_t>& idField, RecordSource& source) {
    if (!idField) {
        return {};
    }
    const Variant& id = source.value(*idField);
    if (const auto* number = std::get_if<std::int32_t>(&id)) {
        return " (Datensatz ID=" + std::to_string(*number) + ")";
    }
    if (const auto* text = std::get_if<std::string>(&id)) {
        return " (Datensatz ID=" + *text + ")";
    }
    return " (Datensatz ohne ID)";
}

}  // namespace

void runInsertSelect(DatabaseSession& session, const std::string& statement) {
    const InsertSelect parsed = InsertSelect::parse(statement);
    auto source = session.openTable(parsed.source);
    auto target = session.openTable(parsed.target);
    std::vector<std::pair<std::size_t, std::size_t>> mapping;  // source field -> target field
    for (const auto& column : parsed.columns) {
        const auto from = fieldIndex(source->fields(), column);
        if (!from) {
            throw Error(3061, "Die Spalte '" + column + "' gibt es in '" + parsed.source +
                                  "' nicht (Anweisung: '" + statement + "').");
        }
        const auto to = fieldIndex(target->fields(), column);
        if (!to) {
            throw Error(3127, "Das INSERT INTO-Statement enthält den unbekannten Feldnamen '" +
                                  column + "': '" + parsed.target + "' hat kein solches Feld.");
        }
        mapping.emplace_back(*from, *to);
    }
    const auto idField = fieldIndex(source->fields(), "ID");
    source->rewind();
    while (source->next()) {
        try {
            target->appendFrom(*source, mapping);
        } catch (const Error& error) {
            throw Error(error.number(), error.description() + rowKey(idField, *source));
        }
    }
}

}  // namespace glossel::dao
