// The global engine, and which file engine a database or link is opened with.
#include "platform/dao/DBEngine.h"

#include "platform/Error.h"
#include "platform/dao/ConnectString.h"
#include "platform/dao/JetBackend.h"
#include "platform/dao/WorkbookBackend.h"
#include "platform/jet/TableCompaction.h"
#include "platform/xls/Workbook.h"
#include "platform/xlsx/Workbook.h"

namespace glossel::dao {

std::unique_ptr<DatabaseBackend> openBackend(const std::string& path, bool exclusive,
                                             const std::string& connect) {
    const ConnectString parsed = ConnectString::parse(connect);
    if (parsed.isOfficeOpenXmlWorkbook()) {
        return openWorkbookBackend(path, &xlsx::readWorkbook, exclusive,
                                   parsed.firstRowHoldsNames());
    }
    if (parsed.isExcel97Workbook()) {
        return openWorkbookBackend(path, &xls::readWorkbook, exclusive,
                                   parsed.firstRowHoldsNames());
    }
    if (!parsed.type.empty()) {
        throw Error(3170, "Installierbares ISAM für '" + parsed.type + "' nicht gefunden.");
    }
    return openJetBackend(path);
}

Database Engine::OpenDatabase(const std::string& name, bool exclusive, const std::string& connect) {
    return Database(openBackend(name, exclusive, connect));
}

void Engine::CompactDatabase(const std::string& name) {
    jet::compactDatabase(name);
}

Engine& DBEngine() {
    static Engine engine;
    return engine;
}

}  // namespace glossel::dao
