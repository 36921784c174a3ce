// The tables an open DAO database shows: its own tables and the links appended to it. Links live
// in the open database object only and are never written into the file, so a database that only
// links and reads is never changed. A link opens its target when it is used (and keeps it open
// until the link is deleted or the database closed), sharing the page cache or workbook of that
// file with every other handle on it.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/dao/DatabaseBackend.h"

namespace glossel::dao {

struct LinkDefinition {
    std::string name;
    std::string connect;
    std::string sourceTable;
};

class DatabaseSession {
public:
    explicit DatabaseSession(std::unique_ptr<DatabaseBackend> backend);

    const std::string& name() const { return backend_->name(); }
    std::vector<std::string> tableNames() const;
    // Error 3265 naming the table when there is none.
    std::vector<FieldInfo> fieldsOf(const std::string& table);
    // Error 3078 naming the table when there is none.
    std::unique_ptr<RecordSource> openTable(const std::string& table);
    void appendTextField(const std::string& table, const std::string& field, std::uint16_t size,
                         bool allowZeroLength);

    // Checks at once that the target opens and holds the source table.
    void appendLink(const LinkDefinition& link);
    // Removes a link, or hides a link an earlier program saved in the file; error 3265 when the
    // database has no such link.
    void removeLink(const std::string& name);
    // Closes the link targets and the database, writing what is buffered.
    void close();

private:
    const LinkDefinition* findLink(const std::string& name) const;
    DatabaseBackend& target(const LinkDefinition& link);

    std::unique_ptr<DatabaseBackend> backend_;
    std::vector<LinkDefinition> links_;
    std::map<std::string, std::unique_ptr<DatabaseBackend>> targets_;  // by link name
    std::set<std::string> hidden_;
};

// Opens the file a connect string or a path names: a workbook for "Excel ..." connect strings,
// else a Jet database.
std::unique_ptr<DatabaseBackend> openBackend(const std::string& path, bool exclusive,
                                             const std::string& connect);

}  // namespace glossel::dao
