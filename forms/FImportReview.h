// The review of an import: every change in a table (ID, language, the project's text and the
// file's, the changed part marked), sortable by each column and narrowed by language and a search
// text, above it the counts per language, the IDs the project lacks and what is not taken. From
// "Prüfen" it only informs ("Schließen"); before the import it asks ("Übernehmen", "Abbrechen",
// the latter the default and Esc). "Als CSV speichern…" writes the whole list.
#pragma once

#include <QDialog>

#include <memory>

#include "transfer/ChangeList.h"
#include "transfer/ImportLanguages.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace glossel::forms {

class ChangeTableModel;

class FImportReview : public QDialog {
    Q_OBJECT

public:
    enum class Purpose { Check, Import };

    // `summary` (with its changes listed) must outlive the dialog.
    FImportReview(const transfer::ImportSummary& summary, const transfer::ImportOptions& options,
                  Purpose purpose, QWidget* parent = nullptr);
    ~FImportReview() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void layOut(Purpose purpose);
    void fillLanguageFilter();
    void narrow();
    void cmdSaveCsv_Click();

    const transfer::ImportSummary& summary_;
    transfer::ChangeList list_;
    ChangeTableModel* model_;

    QPlainTextEdit* txtSummary;
    QComboBox* cboLanguage;
    QLineEdit* txtSearch;
    QLabel* lblCount;
    QTableView* tblChanges;
    QPushButton* cmdSaveCsv;
};

}  // namespace glossel::forms
