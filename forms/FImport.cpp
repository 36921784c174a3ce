// The import window's handlers: choosing the project and the exchange file (which fill the
// language list), the rule for the two buttons, the check and the import, both through the
// review of every change.
//
// An error that escapes a handler (a damaged file, a refused text, a locked project) is shown as
// "number: description" and the window goes on with its fields as the handler left them.
#include "forms/FImport.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <optional>

#include "forms/ChosenProject.h"
#include "forms/FImportReview.h"
#include "forms/HandlerGuard.h"
#include "forms/LanguageListWidget.h"
#include "forms/MessageBox.h"
#include "forms/QtOpenDialog.h"
#include "forms/WaitCursor.h"
#include "transfer/ImportLanguageList.h"
#include "transfer/ImportLanguages.h"

namespace glossel::forms {
namespace {

constexpr char kOpenDialogTitle[] = "Importieren aus";
constexpr char kChooserPurpose[] =
    "Hier wählen Sie das Projekt, in dessen Sprachen Sie Texte importieren möchten.";
constexpr char kSourceFilter[] =
    "Excel-Dateien (*.xls)|*.xls|Excel-Arbeitsmappen (*.xlsx)|*.xlsx|"
    "Datenbankdateien (*.mdb)|*.mdb|XLIFF-Dateien (*.xlf)|*.xlf|Alle Dateien (*.*)|*.*";
constexpr char kImported[] = "Texte erfolgreich importiert!\n\n";

}  // namespace

FImport::FImport(QWidget* parent) : QWidget(parent) {
    layOut();
    connectHandlers();
}

void FImport::connectHandlers() {
    connect(cmdSearchProject, &QPushButton::clicked, this, &FImport::cmdSearchProject_Click);
    connect(cmdSearchFile, &QPushButton::clicked, this, &FImport::cmdSearchFile_Click);
    connect(lstLanguages, &LanguageListWidget::ItemCheck, this, &FImport::applyImportRule);
    connect(cmdCheck, &QPushButton::clicked, this, &FImport::cmdCheck_Click);
    connect(cmdImport, &QPushButton::clicked, this, &FImport::cmdImport_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    txtName->installEventFilter(this);
    txtFile->installEventFilter(this);
}

// A double-click on a text field runs the click handler of the button beside it.
bool FImport::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == txtName) {
            cmdSearchProject_Click();
            return true;
        }
        if (watched == txtFile) {
            cmdSearchFile_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FImport::applyImportRule() {
    const bool ready =
        !txtName->text().isEmpty() && !txtFile->text().isEmpty() && !tickedLanguages().empty();
    cmdCheck->setEnabled(ready);
    cmdImport->setEnabled(ready);
}

// The file's languages, marked against the chosen project; a language ticked before stays
// ticked. Without a file the list stays empty.
void FImport::fillLanguages() {
    const std::vector<std::int32_t> ticked = tickedLanguages();
    lstLanguages->Clear();
    applyImportRule();
    if (txtFile->text().isEmpty()) {
        return;
    }
    const std::string project =
        txtName->text().isEmpty() ? std::string() : projectFilePath(*txtName, *txtPath);
    transfer::FillImportLanguageList(project, txtFile->text().toStdString(), *lstLanguages);
    for (int entry = 0; entry < lstLanguages->ListCount(); ++entry) {
        const std::int32_t lcid = lstLanguages->ItemData(entry);
        lstLanguages->SetSelected(entry,
                                  std::find(ticked.begin(), ticked.end(), lcid) != ticked.end());
    }
}

std::vector<std::int32_t> FImport::tickedLanguages() const {
    std::vector<std::int32_t> lcids;
    for (int entry = 0; entry < lstLanguages->ListCount(); ++entry) {
        if (lstLanguages->Selected(entry)) {
            lcids.push_back(lstLanguages->ItemData(entry));
        }
    }
    return lcids;
}

void FImport::cmdSearchProject_Click() {
    runHandler(this, [this] {
        chooseProject(*txtName, *txtPath, kChooserPurpose);
        fillLanguages();
    });
}

void FImport::cmdSearchFile_Click() {
    runHandler(this, [this] {
        const std::string file = chooseFileToOpen(this, kOpenDialogTitle, kSourceFilter);
        if (file.empty()) {
            return;
        }
        txtFile->setText(QString::fromStdString(file));
        fillLanguages();
    });
}

// Reading a large file and project takes a second or more, during which the window does not
// answer: the wait cursor says so. The review lists every change; it writes nothing.
void FImport::cmdCheck_Click() {
    runHandler(this, [this] {
        transfer::ImportOptions options;
        options.dryRun = true;
        options.listChanges = true;
        std::optional<transfer::PreparedImport> prepared;
        {
            const WaitCursor waiting;
            prepared.emplace(transfer::prepareImport(projectFilePath(*txtName, *txtPath),
                                                     txtFile->text().toStdString(),
                                                     tickedLanguages(), options));
        }
        FImportReview review(prepared->summary(), options, FImportReview::Purpose::Check, this);
        review.exec();
    });
}

// Everything that could refuse the import is checked before the review asks; "Übernehmen" then
// writes the very changes the review showed, and there is no question when nothing would change.
void FImport::cmdImport_Click() {
    runHandler(this, [this] {
        transfer::ImportOptions options;
        options.listChanges = true;
        std::optional<transfer::PreparedImport> prepared;
        {
            const WaitCursor waiting;
            prepared.emplace(transfer::prepareImport(projectFilePath(*txtName, *txtPath),
                                                     txtFile->text().toStdString(),
                                                     tickedLanguages(), options));
        }
        if (!prepared->summary().changesProject()) {
            MessageBox::show(this, QString::fromUtf8(transfer::kNothingToImport),
                             MessageIcon::Information);
            return;
        }
        FImportReview review(prepared->summary(), options, FImportReview::Purpose::Import, this);
        if (review.exec() != QDialog::Accepted) {
            return;
        }
        {
            const WaitCursor waiting;
            prepared->write();
        }
        MessageBox::show(
            this,
            QString::fromUtf8(kImported) +
                QString::fromStdString(transfer::describeImport(prepared->summary(), options)),
            MessageIcon::Information);
        prepared.reset();
        // New columns are the project's now: their "(neu)" goes.
        fillLanguages();
    });
}

}  // namespace glossel::forms
