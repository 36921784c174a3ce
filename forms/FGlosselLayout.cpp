// The main window's controls as the design places them: sizes in twips, the tab order, the
// access keys and the cancel button (Esc).
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "forms/FGlossel.h"
#include "forms/LanguageListWidget.h"
#include "forms/Twips.h"
#include "forms/WindowControls.h"

namespace glossel::forms {
namespace {

constexpr char kCaption[] = "TessviaStudio - Sprachen exportieren";

}  // namespace

void FGlossel::layOut() {
    const ProjectFields head = addProjectWindowHead(*this, "FGlossel", kCaption);
    QGroupBox* fra = head.frame;
    txtName = head.txtName;
    cmdSearchProject = head.cmdSearchProject;
    txtPath = head.txtPath;
    QLabel* languagesLabel =
        addLabel(2, "Zu exportierende &Sprachen", fra, twipsRect(180, 1500, 3615, 195));
    lstLanguages = new LanguageListWidget(fra);
    lstLanguages->setObjectName("lstLanguages");
    lstLanguages->setGeometry(twipsRect(120, 1740, 5535, 1410));
    addLabel(3, "Exportieren in Datei", fra, twipsRect(180, 3420, 3615, 195));
    txtImportTVS = addTextField("txtImportTVS", fra, twipsRect(120, 3660, 5535, 300));
    cmdSearchImportTVS =
        addSearchButton("cmdSearchImportTVS", fra, twipsRect(5760, 3660, 330, 315));
    cmdImport =
        addCommandButton("&Exportieren", "cmdImport", this, twipsRect(3480, 4320, 1335, 375));
    cmdImport->setEnabled(false);
    cmdClose = addCommandButton("&Beenden", "cmdClose", this, twipsRect(4920, 4320, 1335, 375));

    languagesLabel->setBuddy(lstLanguages);
    chainTabOrder({txtName, cmdSearchProject, txtPath, lstLanguages, txtImportTVS,
                   cmdSearchImportTVS, cmdImport, cmdClose});
    makeCancelButton(*this, *cmdClose);
}

}  // namespace glossel::forms
