// The review dialog's controls and handlers. The table's model and the list behind it do the
// sorting and narrowing; the dialog only passes on what the user chose.
#include "forms/FImportReview.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "forms/ChangeTableModel.h"
#include "forms/ChangedTextDelegate.h"
#include "forms/HandlerGuard.h"
#include "forms/WindowLook.h"
#include "platform/systools/SysTools.h"
#include "transfer/ChangesCsv.h"
#include "transfer/MImportLanguage.h"
#include "transfer/TextTables.h"

namespace glossel::forms {
namespace {

constexpr char kCheckCaption[] = "TessviaStudio - Import prüfen";
constexpr char kImportCaption[] = "TessviaStudio - Import übernehmen?";
constexpr char kWhatAcceptDoes[] =
    "„Übernehmen“ schreibt diese Änderungen in das Projekt; das vorige bleibt als .bak daneben.";
constexpr char kAllLanguages[] = "Alle Sprachen";
constexpr char kSaveTitle[] = "Änderungen speichern unter";
constexpr char kCsvName[] = "Aenderungen.csv";
constexpr char kCsvFilter[] = "CSV-Dateien (*.csv)|*.csv|Alle Dateien (*.*)|*.*";
constexpr int kSaveDialog = 2;
constexpr int kHideReadOnly = 4;
constexpr QSize kOpeningSize(940, 600);
constexpr int kSummaryLines = 6;
constexpr int kIdWidth = 70;
constexpr int kLanguageWidth = 230;
constexpr int kTextWidth = 300;
const QColor kProjectMark(0xF6, 0xC4, 0xC4);  // what the project loses
const QColor kFileMark(0xBF, 0xE8, 0xBF);     // what the file brings

QString summaryText(const transfer::ImportSummary& summary, const transfer::ImportOptions& options,
                    FImportReview::Purpose purpose) {
    if (purpose == FImportReview::Purpose::Check) {
        return QString::fromStdString(transfer::describeImport(summary, options)).trimmed();
    }
    return QString::fromStdString(transfer::describeChanges(summary, options)) +
           QString::fromUtf8(kWhatAcceptDoes);
}

QString changesCounted(std::size_t count) {
    const QString number = QLocale(QLocale::German).toString(static_cast<qulonglong>(count));
    return number + (count == 1 ? QString::fromUtf8(" Änderung") : QString::fromUtf8(" Änderungen"));
}

}  // namespace

FImportReview::FImportReview(const transfer::ImportSummary& summary,
                             const transfer::ImportOptions& options, Purpose purpose,
                             QWidget* parent)
    : QDialog(parent), summary_(summary), list_(summary.changes) {
    model_ = new ChangeTableModel(list_, this);
    layOut(purpose);
    txtSummary->setPlainText(summaryText(summary, options, purpose));
    fillLanguageFilter();
    connect(cboLanguage, &QComboBox::currentIndexChanged, this, &FImportReview::narrow);
    connect(txtSearch, &QLineEdit::textChanged, this, &FImportReview::narrow);
    connect(cmdSaveCsv, &QPushButton::clicked, this, &FImportReview::cmdSaveCsv_Click);
    tblChanges->sortByColumn(ChangeTableModel::IdColumn, Qt::AscendingOrder);
    narrow();
}

FImportReview::~FImportReview() = default;

void FImportReview::layOut(Purpose purpose) {
    setObjectName("FImportReview");
    setWindowTitle(QString::fromUtf8(purpose == Purpose::Check ? kCheckCaption : kImportCaption));
    setWindowIcon(programIcon());
    setModal(true);
    resize(kOpeningSize);

    txtSummary = new QPlainTextEdit;
    txtSummary->setObjectName("txtSummary");
    txtSummary->setReadOnly(true);
    txtSummary->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtSummary->setFixedHeight(txtSummary->fontMetrics().lineSpacing() * kSummaryLines + 12);

    cboLanguage = new QComboBox;
    cboLanguage->setObjectName("cboLanguage");
    cboLanguage->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* languageLabel = new QLabel(QString::fromUtf8("&Sprache:"));
    languageLabel->setBuddy(cboLanguage);
    txtSearch = new QLineEdit;
    txtSearch->setObjectName("txtSearch");
    txtSearch->setClearButtonEnabled(true);
    txtSearch->setPlaceholderText(QString::fromUtf8("ID oder Text"));
    auto* searchLabel = new QLabel(QString::fromUtf8("S&uchen:"));
    searchLabel->setBuddy(txtSearch);
    lblCount = new QLabel;
    lblCount->setObjectName("lblCount");
    auto* filters = new QHBoxLayout;
    filters->addWidget(languageLabel);
    filters->addWidget(cboLanguage);
    filters->addSpacing(12);
    filters->addWidget(searchLabel);
    filters->addWidget(txtSearch, 1);
    filters->addSpacing(12);
    filters->addWidget(lblCount);

    tblChanges = new QTableView;
    tblChanges->setObjectName("tblChanges");
    tblChanges->setModel(model_);
    tblChanges->setItemDelegateForColumn(ChangeTableModel::ProjectTextColumn,
                                         new ChangedTextDelegate(kProjectMark, tblChanges));
    tblChanges->setItemDelegateForColumn(ChangeTableModel::FileTextColumn,
                                         new ChangedTextDelegate(kFileMark, tblChanges));
    tblChanges->setSortingEnabled(true);
    tblChanges->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblChanges->setWordWrap(false);
    tblChanges->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblChanges->verticalHeader()->hide();
    // Rows of one height, so that the view never asks every row for its size.
    tblChanges->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblChanges->verticalHeader()->setDefaultSectionSize(tblChanges->fontMetrics().height() + 6);
    QHeaderView* columns = tblChanges->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->resizeSection(ChangeTableModel::IdColumn, kIdWidth);
    columns->resizeSection(ChangeTableModel::LanguageColumn, kLanguageWidth);
    columns->resizeSection(ChangeTableModel::ProjectTextColumn, kTextWidth);
    columns->setStretchLastSection(true);

    auto* buttons = new QHBoxLayout;
    cmdSaveCsv = addDialogButton(*buttons, "Als &CSV speichern…", "cmdSaveCsv");
    buttons->addStretch(1);
    if (purpose == Purpose::Check) {
        QPushButton* close = addDialogButton(*buttons, "Schließen", "cmdClose");
        close->setDefault(true);
        connect(close, &QPushButton::clicked, this, &QDialog::reject);
    } else {
        QPushButton* accept = addDialogButton(*buttons, "Ü&bernehmen", "cmdAccept");
        QPushButton* cancel = addDialogButton(*buttons, "Abbrechen", "cmdCancel");
        cancel->setDefault(true);
        connect(accept, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtSummary);
    layout->addLayout(filters);
    layout->addWidget(tblChanges, 1);
    layout->addLayout(buttons);
    tblChanges->setFocus();
}

// Every language asked for, also those without a change, so that the list matches the summary.
void FImportReview::fillLanguageFilter() {
    cboLanguage->addItem(QString::fromUtf8(kAllLanguages), 0);
    for (const transfer::LanguageSummary& language : summary_.languages) {
        cboLanguage->addItem(QString::fromStdString(transfer::languageListEntry(
                                 language.lcid, transfer::languageColumnName(language.lcid))),
                             language.lcid);
    }
}

void FImportReview::narrow() {
    model_->narrowTo(cboLanguage->currentData().toInt(), txtSearch->text());
    lblCount->setText(list_.size() == list_.total()
                          ? changesCounted(list_.total())
                          : QLocale(QLocale::German).toString(static_cast<qulonglong>(list_.size())) +
                                " von " + changesCounted(list_.total()));
}

// Return in the search field ends the search, not the dialog.
void FImportReview::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        txtSearch->hasFocus()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FImportReview::cmdSaveCsv_Click() {
    runHandler(this, [this] {
        const std::string path = systools::SysTools().FileTools().ShowSaveDialog(
            kSaveDialog, kSaveTitle, kCsvName, kCsvFilter, kHideReadOnly, winId());
        if (!path.empty()) {
            transfer::writeChangesCsv(path, summary_.changes);
        }
    });
}

}  // namespace glossel::forms
