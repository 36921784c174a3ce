// The global engine.
#include "platform/dao/DBEngine.h"

#include "platform/dao/JetBackend.h"

namespace glossel::dao {

Database Engine::OpenDatabase(const std::string& name) {
    return Database(openJetBackend(name));
}

Engine& DBEngine() {
    static Engine engine;
    return engine;
}

}  // namespace glossel::dao
