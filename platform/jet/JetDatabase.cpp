// Opening a Jet file and finding its tables.
#include "platform/jet/JetDatabase.h"

#include "platform/Error.h"
#include "platform/NameCompare.h"
#include "platform/NativePath.h"
#include "platform/jet/JetHeader.h"

namespace glossel::jet {

std::shared_ptr<JetDatabase> JetDatabase::open(const std::string& path) {
    return open(openFileStore(nativePath(path), path), path);
}

std::shared_ptr<JetDatabase> JetDatabase::open(std::unique_ptr<PageStore> store,
                                               const std::string& path) {
    const JetHeader header = readJetHeader(*store, path);
    auto channel = std::make_shared<const PageChannel>(std::move(store), *header.format, path);
    return std::shared_ptr<JetDatabase>(new JetDatabase(std::move(channel), header.codePage));
}

JetDatabase::JetDatabase(std::shared_ptr<const PageChannel> channel, std::uint16_t codePage)
    : channel_(std::move(channel)),
      codePage_(codePage),
      catalog_(readCatalog(channel_, codePage)) {}

std::vector<std::string> JetDatabase::userTableNames() const {
    std::vector<std::string> names;
    for (const auto& entry : catalog_) {
        if (entry.isLocalTable() && !entry.isSystemObject()) {
            names.push_back(entry.name);
        }
    }
    return names;
}

std::shared_ptr<const TableDefinition> JetDatabase::table(const std::string& name) const {
    for (const auto& entry : catalog_) {
        if (!entry.isLocalTable() || !sameName(entry.name, name)) {
            continue;
        }
        auto& cached = definitions_[entry.id];
        if (!cached) {
            cached = std::make_shared<const TableDefinition>(
                readTableDefinition(*channel_, entry.id, entry.name, codePage_));
        }
        return cached;
    }
    throw Error(err::kObjectNotFound, "Das Objekt '" + name + "' wurde in der Datenbank '" +
                                          path() + "' nicht gefunden.");
}

TableCursor JetDatabase::rows(std::shared_ptr<const TableDefinition> table) const {
    return TableCursor(channel_, std::move(table), codePage_);
}

}  // namespace glossel::jet
