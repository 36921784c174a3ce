// The source-language question: its controls, and when the export asks it.
#include "forms/FSourceLanguage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

#include "forms/WindowLook.h"
#include "platform/systools/SysTools.h"
#include "transfer/ExchangeKinds.h"

namespace glossel::forms {
namespace {

constexpr char kCaption[] = "TessviaStudio - Ausgangssprache";
constexpr char kWhatTheOthersBecome[] =
    "Die übrigen Sprachen werden die Zielsprachen der XLIFF-Datei.";

std::vector<int> tickedEntries(const transfer::ListBox& languages) {
    std::vector<int> entries;
    for (int entry = 0; entry < languages.ListCount(); ++entry) {
        if (languages.Selected(entry)) {
            entries.push_back(entry);
        }
    }
    return entries;
}

}  // namespace

FSourceLanguage::FSourceLanguage(const transfer::ListBox& languages, QWidget* parent)
    : QDialog(parent) {
    layOut();
    for (const int entry : tickedEntries(languages)) {
        cboSourceLanguage->addItem(QString::fromStdString(languages.List(entry)),
                                   languages.ItemData(entry));
    }
    cboSourceLanguage->setCurrentIndex(0);
}

std::int32_t FSourceLanguage::sourceLcid() const {
    return cboSourceLanguage->currentData().toInt();
}

// The dialog takes the size its contents need and keeps it.
void FSourceLanguage::layOut() {
    setObjectName("FSourceLanguage");
    setWindowTitle(QString::fromUtf8(kCaption));
    setWindowIcon(programIcon());
    setModal(true);

    cboSourceLanguage = new QComboBox;
    cboSourceLanguage->setObjectName("cboSourceLanguage");
    cboSourceLanguage->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* languageLabel = new QLabel(QString::fromUtf8("&Ausgangssprache:"));
    languageLabel->setBuddy(cboSourceLanguage);
    auto* choice = new QHBoxLayout;
    choice->addWidget(languageLabel);
    choice->addWidget(cboSourceLanguage, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* ok = addDialogButton(*buttons, "OK", "cmdOK");
    QPushButton* cancel = addDialogButton(*buttons, "Abbrechen", "cmdCancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(choice);
    layout->addWidget(new QLabel(QString::fromUtf8(kWhatTheOthersBecome)));
    layout->addSpacing(6);
    layout->addLayout(buttons);
    cboSourceLanguage->setFocus();
}

std::optional<std::int32_t> askSourceLanguage(QWidget* parent, const transfer::ListBox& languages,
                                              const std::string& targetPath) {
    const transfer::ExchangeKind* kind =
        transfer::exchangeKindOf(systools::SysTools().FileTools().GetExtension(targetPath));
    if (kind == nullptr || !kind->xliff) {
        return 0;
    }
    const std::vector<int> ticked = tickedEntries(languages);
    if (ticked.size() < 2) {
        return ticked.empty() ? 0 : languages.ItemData(ticked.front());
    }
    FSourceLanguage dialog(languages, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.sourceLcid();
}

}  // namespace glossel::forms
