// The project commands over the catalogue and the registry tools.
#include "cli/ProjectCommands.h"

#include "platform/systools/SysTools.h"
#include "projects/ProjectCatalogue.h"
#include "projects/ProjectDirectory.h"
#include "projects/ProjectTypes.h"
#include "projects/ReportListView.h"

namespace glossel::cli {

void listProjects(bool prune, std::ostream& out) {
    systools::SysTools().SetRegistryWritable(prune);
    projects::ReportListView list({"Name", "Verzeichnis", "Typ"});
    projects::FillProjectList(list, projects::kAllProjectTypes);
    projects::ListViewItems& rows = list.ListItems();
    for (int i = 1; i <= rows.Count(); ++i) {
        const projects::ListViewItem& row = rows.Item(i);
        out << row.Text() << '\t' << row.SubItems(1) << '\t' << row.SubItems(2) << '\n';
    }
}

void printProjectPath(const std::string& name, std::ostream& out) {
    out << projects::projectDirectory(name) << '\n';
}

}  // namespace glossel::cli
