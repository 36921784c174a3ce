// Choosing a project by name and finding its directory.
#include "forms/ChosenProject.h"

#include <QLineEdit>

#include "forms/FProjectOpen.h"
#include "projects/ProjectDirectory.h"

namespace glossel::forms {

bool chooseProject(QLineEdit& name, QLineEdit& path, const char* purpose) {
    name.setText(FProjectOpen::ProjectName(purpose));
    if (name.text().isEmpty()) {
        return false;
    }
    path.setText(QString::fromStdString(projects::projectDirectory(name.text().toStdString())));
    return true;
}

std::string projectFilePath(const QLineEdit& name, const QLineEdit& path) {
    return path.text().toStdString() + "\\" + name.text().toStdString() + ".tvs";
}

}  // namespace glossel::forms
