// Tables and links of an open database.
#include "platform/dao/DatabaseSession.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/NameCompare.h"
#include "platform/NativePath.h"
#include "platform/dao/ConnectString.h"

namespace glossel::dao {
namespace {

[[noreturn]] void notFound(const std::string& table, const std::string& database) {
    throw Error(err::kItemNotFound, "Element '" + table +
                                        "' in dieser Auflistung nicht gefunden (Datenbank '" +
                                        database + "').");
}

}  // namespace

DatabaseSession::DatabaseSession(std::unique_ptr<DatabaseBackend> backend)
    : backend_(std::move(backend)) {}

const LinkDefinition* DatabaseSession::findLink(const std::string& name) const {
    const auto found = std::find_if(links_.begin(), links_.end(), [&](const LinkDefinition& l) {
        return sameName(l.name, name);
    });
    return found == links_.end() ? nullptr : &*found;
}

DatabaseBackend& DatabaseSession::target(const LinkDefinition& link) {
    auto& opened = targets_[link.name];
    if (!opened) {
        const ConnectString connect = ConnectString::parse(link.connect);
        opened = openBackend(connect.database(), false, link.connect);
    }
    return *opened;
}

std::vector<std::string> DatabaseSession::tableNames() const {
    std::vector<std::string> names = backend_->tableNames();
    std::erase_if(names, [&](const std::string& n) { return hidden_.contains(n) || findLink(n); });
    for (const auto& link : links_) {
        names.push_back(link.name);
    }
    return names;
}

std::vector<FieldInfo> DatabaseSession::fieldsOf(const std::string& table) {
    if (const LinkDefinition* link = findLink(table)) {
        return target(*link).fieldsOf(link->sourceTable);
    }
    return backend_->fieldsOf(table);
}

std::unique_ptr<RecordSource> DatabaseSession::openTable(const std::string& table) {
    if (const LinkDefinition* link = findLink(table)) {
        return target(*link).openTable(link->sourceTable);
    }
    return backend_->openTable(table);
}

void DatabaseSession::appendTextField(const std::string& table, const std::string& field,
                                      std::uint16_t size, bool allowZeroLength) {
    if (findLink(table)) {
        throw Error(err::kInvalidOperation, "Unzulässige Operation: an die verknüpfte Tabelle '" +
                                                table + "' kann kein Feld angefügt werden.");
    }
    backend_->appendTextField(table, field, size, allowZeroLength);
}

void DatabaseSession::appendLink(const LinkDefinition& link) {
    if (link.connect.empty() || link.sourceTable.empty()) {
        throw Error(err::kNoFieldsDefined, "Keine Felder definiert: die Tabellendefinition '" +
                                               link.name +
                                               "' hat weder Verbindung noch Quelltabelle und kann "
                                               "nicht angefügt werden.");
    }
    const auto names = tableNames();
    if (std::any_of(names.begin(), names.end(),
                    [&](const auto& n) { return sameName(n, link.name); })) {
        throw Error(3012, "Das Objekt '" + link.name + "' ist in der Datenbank '" +
                              nativePath(name()) + "' bereits vorhanden.");
    }
    links_.push_back(link);
    try {
        target(links_.back()).fieldsOf(link.sourceTable);
    } catch (...) {
        targets_.erase(link.name);
        links_.pop_back();
        throw;
    }
}

void DatabaseSession::removeLink(const std::string& name) {
    if (const LinkDefinition* link = findLink(name)) {
        const std::string linkName = link->name;
        auto opened = targets_.find(linkName);
        std::erase_if(links_, [&](const LinkDefinition& l) { return l.name == linkName; });
        if (opened != targets_.end()) {
            auto closing = std::move(opened->second);
            targets_.erase(opened);
            closing->close();
        }
        return;
    }
    if (backend_->hasSavedLink(name) && !hidden_.contains(name)) {
        hidden_.insert(name);
        return;
    }
    notFound(name, this->name());
}

void DatabaseSession::close() {
    auto targets = std::move(targets_);
    links_.clear();
    for (auto& [name, opened] : targets) {
        opened->close();
    }
    backend_->close();
}

}  // namespace glossel::dao
