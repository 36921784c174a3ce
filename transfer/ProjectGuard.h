// Keeps a project to one import at a time: refuses a project that another program holds open
// (its Jet lock file "<name>.ldb" beside it, or the project file itself, carries byte-range
// locks, as Jet sets them for every user of a database) and takes an advisory lock on the project
// file against a second Glossel, held until the guard goes. Neither leaves a file behind.
#pragma once

#include <string>

#include "platform/files/File.h"

namespace glossel::transfer {

class ProjectGuard {
public:
    // Error 3024 when the project file is missing, 3045 when it is in use as described above.
    explicit ProjectGuard(const std::string& projectPath);

private:
    files::File lock_;
};

// "<directory>/<name>.ldb" for "<directory>/<name>.tvs": where Jet keeps a database's users.
std::string jetLockFilePath(const std::string& databasePath);

}  // namespace glossel::transfer
