// The main window's handlers: the export rule, the three-language limit, choosing the project
// and the target file, and the export (into an XLIFF document after asking its source language).
//
// An error that escapes a handler (a damaged project, an unreadable registry, an unknown
// language) is shown as "number: description" and the window goes on with its fields as the
// handler left them: one failed action never ends the program.
#include "forms/FGlossel.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

#include <cstdint>
#include <optional>

#include "forms/ChosenProject.h"
#include "forms/HandlerGuard.h"
#include "forms/LanguageListWidget.h"
#include "forms/FSourceLanguage.h"
#include "forms/MessageBox.h"
#include "forms/WaitCursor.h"
#include "forms/WindowMessageBoxes.h"
#include "platform/systools/SysTools.h"
#include "transfer/MImportLanguage.h"

namespace glossel::forms {
namespace {

constexpr int kMaximumLanguages = 3;
constexpr char kLanguageLimit[] = "Maximal drei Sprachen selektierbar!";
constexpr char kExported[] = "Sprache erfolgreich exportiert!";
constexpr int kSaveDialog = 2;
constexpr int kHideReadOnly = 4;
constexpr char kSaveDialogTitle[] = "Exportieren in";
constexpr char kChooserPurpose[] =
    "Hier wählen Sie das Projekt, dessen Sprachen Sie exportieren möchten.";
constexpr char kTargetFilter[] =
    "Excel-Dateien (*.xls)|*.xls|Excel-Arbeitsmappen (*.xlsx)|*.xlsx|"
    "Datenbankdateien (*.mdb)|*.mdb|XLIFF-Dateien (*.xlf)|*.xlf|Alle Dateien (*.*)|*.*";

}  // namespace

FGlossel::FGlossel(QWidget* parent) : QWidget(parent) {
    layOut();
    connectHandlers();
}

void FGlossel::connectHandlers() {
    connect(txtName, &QLineEdit::textChanged, this, &FGlossel::applyExportRule);
    connect(txtImportTVS, &QLineEdit::textChanged, this, &FGlossel::applyExportRule);
    connect(cmdSearchProject, &QPushButton::clicked, this, &FGlossel::cmdSearchProject_Click);
    connect(cmdSearchImportTVS, &QPushButton::clicked, this, &FGlossel::cmdSearchImportTVS_Click);
    connect(lstLanguages, &LanguageListWidget::ItemCheck, this, &FGlossel::lstLanguages_ItemCheck);
    connect(cmdImport, &QPushButton::clicked, this, &FGlossel::cmdImport_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    txtName->installEventFilter(this);
    txtImportTVS->installEventFilter(this);
}

// A double-click on a text field runs the click handler of the button beside it.
bool FGlossel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == txtName) {
            cmdSearchProject_Click();
            return true;
        }
        if (watched == txtImportTVS) {
            cmdSearchImportTVS_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FGlossel::applyExportRule() {
    cmdImport->setEnabled(!txtName->text().isEmpty() && !txtImportTVS->text().isEmpty());
}

void FGlossel::cmdSearchProject_Click() {
    runHandler(this, [this] {
        if (chooseProject(*txtName, *txtPath, kChooserPurpose)) {
            transfer::FillLanguageList(projectFilePath(*txtName, *txtPath), *lstLanguages);
        }
    });
}

void FGlossel::cmdSearchImportTVS_Click() {
    runHandler(this, [this] {
        const std::string target = systools::SysTools().FileTools().ShowSaveDialog(
            kSaveDialog, kSaveDialogTitle, "", kTargetFilter, kHideReadOnly, winId());
        txtImportTVS->setText(QString::fromStdString(target));
    });
}

// A fourth tick is taken back at once. Taking it back reports the entry again, now without a
// tick, which does nothing: the message appears once.
void FGlossel::lstLanguages_ItemCheck(int index) {
    runHandler(this, [this, index] {
        int ticked = 0;
        for (int entry = 0; entry < lstLanguages->ListCount(); ++entry) {
            ticked += lstLanguages->Selected(entry) ? 1 : 0;
        }
        if (lstLanguages->Selected(index) && ticked > kMaximumLanguages) {
            lstLanguages->SetSelected(index, false);
            MessageBox::show(this, QString::fromUtf8(kLanguageLimit), MessageIcon::None);
        }
    });
}

// The export takes a second or more for a large project, during which the window does not
// answer: the wait cursor says so. The source-language question comes before it.
void FGlossel::cmdImport_Click() {
    runHandler(this, [this] {
        const std::string projectPath = projectFilePath(*txtName, *txtPath);
        const std::string target = txtImportTVS->text().toStdString();
        const std::optional<std::int32_t> sourceLcid =
            askSourceLanguage(this, *lstLanguages, target);
        if (!sourceLcid) {
            return;
        }
        WindowMessageBoxes messages(this);
        bool exported = false;
        {
            const WaitCursor waiting;
            exported = transfer::ExportSelectedLanguages(projectPath, *lstLanguages, target,
                                                         messages, *sourceLcid);
        }
        if (exported) {
            MessageBox::show(this, QString::fromUtf8(kExported), MessageIcon::Information);
        }
    });
}

}  // namespace glossel::forms
