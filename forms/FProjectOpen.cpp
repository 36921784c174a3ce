// The project chooser's layout and handlers.
//
// "Abbrechen", Esc and the close box all end the dialog without a choice, so that cancelling
// never opens the row clicked last; "&Hilfe" explains the dialog.
#include "forms/FProjectOpen.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "forms/MessageBox.h"
#include "forms/ReportListWidget.h"
#include "forms/Twips.h"
#include "forms/WindowLook.h"
#include "projects/ProjectCatalogue.h"
#include "projects/ProjectTypes.h"

namespace glossel::forms {
namespace {

constexpr char kCaption[] = "TessviaStudio:  Projekt öffnen";
// After the sentence of the window that opened the chooser.
constexpr char kHelpText[] =
    "\n\nDie Liste zeigt alle Projekte, die in der Entwicklungsumgebung registriert sind, mit "
    "Verzeichnis und Projekttyp. Registrierungen, deren Projektdatei fehlt, werden beim Öffnen "
    "dieses Dialogs entfernt.\n\n"
    "Klicken Sie ein Projekt an und wählen Sie \"Öffnen\" (oder drücken Sie die Eingabetaste, "
    "oder doppelklicken Sie auf das Projekt). \"Abbrechen\", Esc oder das Schließfeld beenden "
    "den Dialog, ohne ein Projekt zu wählen.";

QPushButton* commandButton(const char* caption, const char* name, QWidget* parent, QRect place) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setGeometry(place);
    return button;
}

}  // namespace

FProjectOpen::FProjectOpen(const char* purpose) : purpose_(QString::fromUtf8(purpose)) {
    setUpWindow(*this, "FProjectOpen", kCaption, Qt::Dialog, twipsSize(8130, 4545));
    QGroupBox* fra = addFrame(*this, twipsRect(60, 0, 7995, 3975));
    auto* lbl = new QLabel(QString::fromUtf8("Registrierte Projekte"), fra);
    lbl->setObjectName("lbl(0)");
    lbl->setGeometry(twipsRect(180, 240, 2955, 195));
    lvwRegisteredProjects = new ReportListWidget(
        {QString::fromUtf8("Name"), QString::fromUtf8("Verzeichnis"), QString::fromUtf8("Typ")},
        fra);
    lvwRegisteredProjects->setObjectName("lvwRegisteredProjects");
    lvwRegisteredProjects->setGeometry(twipsRect(120, 480, 7755, 3375));
    lvwRegisteredProjects->setColumnWidth(0, pixels(2000));
    lvwRegisteredProjects->setColumnWidth(1, pixels(4000));
    lvwRegisteredProjects->setColumnWidth(2, pixels(1440));

    cmdOpen = commandButton("Ö&ffnen", "cmdOpen", this, twipsRect(3780, 4080, 1335, 375));
    cmdOpen->setDefault(true);
    cmdOpen->setEnabled(false);
    cmdCancel = commandButton("Abbrechen", "cmdCancel", this, twipsRect(5160, 4080, 1335, 375));
    cmdHelp = commandButton("&Hilfe", "cmdHelp", this, twipsRect(6600, 4080, 1335, 375));
    setTabOrder(lvwRegisteredProjects, cmdOpen);
    setTabOrder(cmdOpen, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);

    connect(lvwRegisteredProjects, &QTreeWidget::itemSelectionChanged, this,
            &FProjectOpen::lvwRegisteredProjects_ItemClick);
    connect(lvwRegisteredProjects, &ReportListWidget::MouseDown, this,
            [this](Qt::MouseButton, Qt::KeyboardModifiers, QPoint point) {
                lvwRegisteredProjects_MouseDown(point);
            });
    connect(lvwRegisteredProjects, &ReportListWidget::DblClick, this, &FProjectOpen::cmdOpen_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &FProjectOpen::cmdOpen_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FProjectOpen::reject);
    connect(cmdHelp, &QPushButton::clicked, this, &FProjectOpen::cmdHelp_Click);
}

QString FProjectOpen::ProjectName(const char* purpose) {
    FProjectOpen dialog(purpose);
    dialog.Form_Load();
    centreOnScreen(dialog);
    dialog.lvwRegisteredProjects->setFocus();
    dialog.exec();
    return dialog.SelectedProject;
}

void FProjectOpen::Form_Load() {
    projects::FillProjectList(*lvwRegisteredProjects, projects::kAllProjectTypes);
}

// A row chosen by click or with the keys: it becomes the dialog's choice.
void FProjectOpen::lvwRegisteredProjects_ItemClick() {
    if (projects::ListViewItem* row = lvwRegisteredProjects->SelectedItem()) {
        SelectedProject = QString::fromStdString(row->Text());
        cmdOpen->setEnabled(true);
    }
}

// A press where no row lies takes the choice back. Every mouse button acts alike.
void FProjectOpen::lvwRegisteredProjects_MouseDown(QPoint point) {
    if (lvwRegisteredProjects->itemAt(point) != nullptr) {
        return;
    }
    lvwRegisteredProjects->clearChoice();
    SelectedProject.clear();
    cmdOpen->setEnabled(false);
}

void FProjectOpen::cmdOpen_Click() {
    if (cmdOpen->isEnabled()) {
        accept();
    }
}

void FProjectOpen::cmdHelp_Click() {
    MessageBox::show(this, purpose_ + QString::fromUtf8(kHelpText), MessageIcon::Information);
}

void FProjectOpen::reject() {
    SelectedProject.clear();
    QDialog::reject();
}

}  // namespace glossel::forms
