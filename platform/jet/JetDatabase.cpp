// Opening a Jet file and finding its tables. Open files are kept in a registry by identity, so
// that a second open of the same file shares the first one's pages.
#include "platform/jet/JetDatabase.h"

#include <map>

#include "platform/Error.h"
#include "platform/NameCompare.h"
#include "platform/NativePath.h"
#include "platform/jet/JetHeader.h"

namespace glossel::jet {
namespace {

struct OpenChannel {
    std::weak_ptr<PageChannel> channel;
    std::uint16_t codePage = 0;
};

std::map<FileIdentity, OpenChannel>& openChannels() {
    static std::map<FileIdentity, OpenChannel> channels;
    return channels;
}

}  // namespace

std::shared_ptr<JetDatabase> JetDatabase::open(const std::string& name) {
    // The database is named in its messages as the system writes the path.
    const std::string path = nativePath(name);
    OpenedFile file = openFileStore(path, path);
    auto& channels = openChannels();
    std::erase_if(channels, [](const auto& entry) { return entry.second.channel.expired(); });
    if (auto known = channels.find(file.identity); known != channels.end()) {
        return std::shared_ptr<JetDatabase>(
            new JetDatabase(known->second.channel.lock(), known->second.codePage));
    }
    const JetHeader header = readJetHeader(*file.store, path);
    auto channel = std::make_shared<PageChannel>(std::move(file.store), *header.format, path);
    channels[file.identity] = {channel, header.codePage};
    return std::shared_ptr<JetDatabase>(new JetDatabase(std::move(channel), header.codePage));
}

std::shared_ptr<JetDatabase> JetDatabase::open(std::unique_ptr<PageStore> store,
                                               const std::string& path) {
    const JetHeader header = readJetHeader(*store, path);
    auto channel = std::make_shared<PageChannel>(std::move(store), *header.format, path);
    return std::shared_ptr<JetDatabase>(new JetDatabase(std::move(channel), header.codePage));
}

JetDatabase::JetDatabase(std::shared_ptr<PageChannel> channel, std::uint16_t codePage)
    : channel_(std::move(channel)), codePage_(codePage) {
    catalog();
}

void JetDatabase::requireChangeable(const std::string& change) const {
    if (!format().writable) {
        throw Error(err::kReadOnly, "Die Datenbank '" + path() +
                                        "' hat das Jet-3-Format (Access 97); dieses Format wird "
                                        "nur gelesen (read-only format).");
    }
    if (!channel_->writable()) {
        throw Error(err::kReadOnly, "Die Datenbank '" + path() + "' ist schreibgeschützt; " +
                                        change + " ist nicht möglich.");
    }
}

std::vector<CatalogEntry> JetDatabase::catalog() const {
    return readCatalog(channel_, codePage_);
}

std::vector<std::string> JetDatabase::userTableNames() const {
    std::vector<std::string> names;
    for (const auto& entry : catalog()) {
        if (entry.isLocalTable() && !entry.isSystemObject()) {
            names.push_back(entry.name);
        }
    }
    return names;
}

std::shared_ptr<const TableDefinition> JetDatabase::table(const std::string& name) const {
    for (const auto& entry : catalog()) {
        if (entry.isLocalTable() && sameName(entry.name, name)) {
            return std::make_shared<const TableDefinition>(
                readTableDefinition(*channel_, entry.id, entry.name, codePage_));
        }
    }
    throw Error(err::kObjectNotFound, "Das Objekt '" + name + "' wurde in der Datenbank '" +
                                          path() + "' nicht gefunden.");
}

TableCursor JetDatabase::rows(std::shared_ptr<const TableDefinition> table) const {
    return TableCursor(channel_, std::move(table), codePage_);
}

}  // namespace glossel::jet
