// An open Jet 3 or Jet 4 database file, read only: its catalogue, table definitions and rows.
#pragma once

#include <map>
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
    // Opens the file at `path` ("\" separators allowed). Errors name the path as given.
    static std::shared_ptr<JetDatabase> open(const std::string& path);
    // Opens a database held by `store`; `path` names it in errors.
    static std::shared_ptr<JetDatabase> open(std::unique_ptr<PageStore> store,
                                             const std::string& path);

    const std::string& path() const { return channel_->path(); }
    const JetFormat& format() const { return channel_->format(); }
    std::uint16_t codePage() const { return codePage_; }

    const std::vector<CatalogEntry>& catalog() const { return catalog_; }
    // Names of the local tables that are not system tables, in catalogue order.
    std::vector<std::string> userTableNames() const;
    // The local table of that name (letter case ignored); error 3011 when there is none.
    std::shared_ptr<const TableDefinition> table(const std::string& name) const;
    TableCursor rows(std::shared_ptr<const TableDefinition> table) const;

private:
    JetDatabase(std::shared_ptr<const PageChannel> channel, std::uint16_t codePage);

    std::shared_ptr<const PageChannel> channel_;
    std::uint16_t codePage_;
    std::vector<CatalogEntry> catalog_;
    mutable std::map<std::uint32_t, std::shared_ptr<const TableDefinition>> definitions_;
};

}  // namespace glossel::jet
