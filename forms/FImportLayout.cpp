// The import window's controls, on the grid of the main window: sizes in twips, the tab order,
// the access keys and the cancel button (Esc).
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "forms/FImport.h"
#include "forms/LanguageListWidget.h"
#include "forms/Twips.h"
#include "forms/WindowControls.h"

namespace glossel::forms {
namespace {

constexpr char kCaption[] = "TessviaStudio - Sprachen importieren";

}  // namespace

void FImport::layOut() {
    const ProjectFields head = addProjectWindowHead(*this, "FImport", kCaption);
    QGroupBox* fra = head.frame;
    txtName = head.txtName;
    cmdSearchProject = head.cmdSearchProject;
    txtPath = head.txtPath;
    QLabel* fileLabel = addLabel(2, "Importieren aus &Datei", fra, twipsRect(180, 1500, 3615, 195));
    txtFile = addTextField("txtFile", fra, twipsRect(120, 1740, 5535, 300));
    lockTextField(*txtFile);
    cmdSearchFile = addSearchButton("cmdSearchFile", fra, twipsRect(5760, 1740, 330, 315));
    QLabel* languagesLabel =
        addLabel(3, "Zu importierende &Sprachen", fra, twipsRect(180, 2160, 3615, 195));
    lstLanguages = new LanguageListWidget(fra);
    lstLanguages->setObjectName("lstLanguages");
    lstLanguages->setGeometry(twipsRect(120, 2400, 5535, 1590));
    cmdCheck = addCommandButton("&Prüfen", "cmdCheck", this, twipsRect(2040, 4320, 1335, 375));
    cmdImport =
        addCommandButton("&Importieren", "cmdImport", this, twipsRect(3480, 4320, 1335, 375));
    cmdClose = addCommandButton("&Beenden", "cmdClose", this, twipsRect(4920, 4320, 1335, 375));
    cmdCheck->setEnabled(false);
    cmdImport->setEnabled(false);

    fileLabel->setBuddy(txtFile);
    languagesLabel->setBuddy(lstLanguages);
    chainTabOrder({txtName, cmdSearchProject, txtPath, txtFile, cmdSearchFile, lstLanguages,
                   cmdCheck, cmdImport, cmdClose});
    makeCancelButton(*this, *cmdClose);
}

}  // namespace glossel::forms
