// The main window's controls as the design places them: sizes in twips, the tab order, the
// access keys and the cancel button (Esc).
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "forms/FGlossel.h"
#include "forms/LanguageListWidget.h"
#include "forms/Twips.h"
#include "forms/WindowLook.h"

namespace glossel::forms {
namespace {

constexpr char kCaption[] = "TessviaStudio - Sprachen exportieren";
constexpr QSize kBinocularsSize(15, 13);

QLabel* label(int index, const char* caption, QWidget* parent, QRect place) {
    auto* lbl = new QLabel(QString::fromUtf8(caption), parent);
    lbl->setObjectName(QString("lbl(%1)").arg(index));
    lbl->setGeometry(place);
    return lbl;
}

// A text field the user cannot type into, with the background of button faces.
void lock(QLineEdit& field) {
    field.setReadOnly(true);
    QPalette palette = field.palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    field.setPalette(palette);
}

QLineEdit* textField(const char* name, QWidget* parent, QRect place) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(place);
    return field;
}

QPushButton* searchButton(const char* name, QWidget* parent, QRect place) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setIcon(binocularsPicture());
    button->setIconSize(kBinocularsSize);
    return button;
}

QPushButton* commandButton(const char* caption, const char* name, QWidget* parent, QRect place) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

void FGlossel::layOut() {
    setUpWindow(*this, "FGlossel", kCaption,
                Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint,
                twipsSize(6315, 4860));
    QGroupBox* fra = addFrame(*this, twipsRect(60, 30, 6195, 4125));
    QLabel* nameLabel = label(0, "Projekt&name", fra, twipsRect(180, 240, 1635, 195));
    txtName = textField("txtName", fra, twipsRect(120, 480, 2775, 300));
    lock(*txtName);
    cmdSearchProject = searchButton("cmdSearchProject", fra, twipsRect(3000, 480, 330, 315));
    QLabel* pathLabel = label(1, "Projekt&verzeichnis", fra, twipsRect(180, 840, 1695, 195));
    txtPath = textField("txtPath", fra, twipsRect(120, 1080, 5535, 300));
    lock(*txtPath);
    QLabel* languagesLabel =
        label(2, "Zu exportierende &Sprachen", fra, twipsRect(180, 1500, 3615, 195));
    lstLanguages = new LanguageListWidget(fra);
    lstLanguages->setObjectName("lstLanguages");
    lstLanguages->setGeometry(twipsRect(120, 1740, 5535, 1410));
    label(3, "Exportieren in Datei", fra, twipsRect(180, 3420, 3615, 195));
    txtImportTVS = textField("txtImportTVS", fra, twipsRect(120, 3660, 5535, 300));
    cmdSearchImportTVS = searchButton("cmdSearchImportTVS", fra, twipsRect(5760, 3660, 330, 315));
    cmdImport = commandButton("&Exportieren", "cmdImport", this, twipsRect(3480, 4320, 1335, 375));
    cmdImport->setEnabled(false);
    cmdClose = commandButton("&Beenden", "cmdClose", this, twipsRect(4920, 4320, 1335, 375));

    nameLabel->setBuddy(txtName);
    pathLabel->setBuddy(txtPath);
    languagesLabel->setBuddy(lstLanguages);
    QWidget* tabOrder[] = {txtName,      cmdSearchProject,   txtPath,   lstLanguages,
                           txtImportTVS, cmdSearchImportTVS, cmdImport, cmdClose};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, cmdClose, &QPushButton::click);
}

}  // namespace glossel::forms
