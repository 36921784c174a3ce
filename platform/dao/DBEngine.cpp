// The global engine.
#include "platform/dao/DBEngine.h"

#include "platform/jet/JetDatabase.h"

namespace glossel::dao {

Database Engine::OpenDatabase(const std::string& name) {
    return Database(jet::JetDatabase::open(name));
}

Engine& DBEngine() {
    static Engine engine;
    return engine;
}

}  // namespace glossel::dao
