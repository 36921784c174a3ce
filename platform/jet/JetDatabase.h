// An open Jet 3 or Jet 4 database file: its catalogue, table definitions and rows. Every handle
// on the same file in the process shares one page channel, so each sees the others' changes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/jet/Catalog.h"
#include "platform/jet/PageChannel.h"
#include "platform/jet/TableCursor.h"
#include "platform/jet/TableDefinition.h"

namespace glossel::jet {

class JetDatabase {
public:
    // Opens the file at `name` ("\" separators allowed). Errors and path() name it as the
    // system writes the path.
    static std::shared_ptr<JetDatabase> open(const std::string& name);
    // Opens a database held by `store`, with a channel of its own; `path` names it in errors.
    static std::shared_ptr<JetDatabase> open(std::unique_ptr<PageStore> store,
                                             const std::string& path);

    const std::string& path() const { return channel_->path(); }
    const JetFormat& format() const { return channel_->format(); }
    std::uint16_t codePage() const { return codePage_; }
    PageChannel& channel() const { return *channel_; }
    // Whether no other handle in the process has the file open.
    bool onlyHandleOnFile() const { return channel_.use_count() == 1; }
    // Error 3027 naming the file unless this program can change it: Jet 3 files are only read,
    // and read-only files cannot be changed. `change` says what was asked for.
    void requireChangeable(const std::string& change) const;

    // The catalogue as it is now (tables added or changed by any handle included).
    std::vector<CatalogEntry> catalog() const;
    // Names of the local tables that are not system tables, in catalogue order.
    std::vector<std::string> userTableNames() const;
    // The local table of that name (letter case ignored), read afresh; error 3011 when there is
    // none.
    std::shared_ptr<const TableDefinition> table(const std::string& name) const;
    TableCursor rows(std::shared_ptr<const TableDefinition> table) const;

private:
    JetDatabase(std::shared_ptr<PageChannel> channel, std::uint16_t codePage);

    std::shared_ptr<PageChannel> channel_;
    std::uint16_t codePage_;
};

}  // namespace glossel::jet
