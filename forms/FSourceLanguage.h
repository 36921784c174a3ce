// The question before an export into an XLIFF document: which of the ticked languages is the
// source language; the others become its target languages. "OK" is the default, "Abbrechen"
// and Esc export nothing.
#pragma once

#include <QDialog>

#include <cstdint>
#include <optional>
#include <string>

#include "transfer/ListBox.h"

class QComboBox;

namespace glossel::forms {

class FSourceLanguage : public QDialog {
    Q_OBJECT

public:
    // Offers the ticked entries of `languages` as the list shows them, in its order, the first
    // preselected.
    explicit FSourceLanguage(const transfer::ListBox& languages, QWidget* parent = nullptr);

    // The LCID (the list's item data) of the entry chosen.
    std::int32_t sourceLcid() const;

private:
    void layOut();

    QComboBox* cboSourceLanguage;
};

// The source language of an export of the ticked `languages` to `targetPath`: 0 for a workbook
// or database; for an XLIFF document the one the user chooses (nullopt when they cancel), or,
// with fewer than two ticked, the ticked one without asking (0 for none), so that the export
// says why it cannot write that file.
std::optional<std::int32_t> askSourceLanguage(QWidget* parent, const transfer::ListBox& languages,
                                              const std::string& targetPath);

}  // namespace glossel::forms
