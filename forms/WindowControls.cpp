// The windows' shared controls.
#include "forms/WindowControls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "forms/Twips.h"
#include "forms/WindowLook.h"

namespace glossel::forms {
namespace {

constexpr QSize kBinocularsSize(15, 13);

}  // namespace

QLabel* addLabel(int index, const char* caption, QWidget* parent, QRect place) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString("lbl(%1)").arg(index));
    label->setGeometry(place);
    return label;
}

QLineEdit* addTextField(const char* name, QWidget* parent, QRect place) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(place);
    return field;
}

void lockTextField(QLineEdit& field) {
    field.setReadOnly(true);
    QPalette palette = field.palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    field.setPalette(palette);
}

QPushButton* addSearchButton(const char* name, QWidget* parent, QRect place) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setIcon(binocularsPicture());
    button->setIconSize(kBinocularsSize);
    return button;
}

QPushButton* addCommandButton(const char* caption, const char* name, QWidget* parent, QRect place) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setAutoDefault(false);
    return button;
}

ProjectFields addProjectWindowHead(QWidget& window, const char* name, const char* caption) {
    setUpWindow(window, name, caption,
                Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint,
                twipsSize(6315, 4860));
    QGroupBox* frame = addFrame(window, twipsRect(60, 30, 6195, 4125));
    QLabel* nameLabel = addLabel(0, "Projekt&name", frame, twipsRect(180, 240, 1635, 195));
    QLineEdit* txtName = addTextField("txtName", frame, twipsRect(120, 480, 2775, 300));
    lockTextField(*txtName);
    QPushButton* cmdSearchProject =
        addSearchButton("cmdSearchProject", frame, twipsRect(3000, 480, 330, 315));
    QLabel* pathLabel = addLabel(1, "Projekt&verzeichnis", frame, twipsRect(180, 840, 1695, 195));
    QLineEdit* txtPath = addTextField("txtPath", frame, twipsRect(120, 1080, 5535, 300));
    lockTextField(*txtPath);
    nameLabel->setBuddy(txtName);
    pathLabel->setBuddy(txtPath);
    return {frame, txtName, cmdSearchProject, txtPath};
}

void chainTabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }
}

void makeCancelButton(QWidget& window, QPushButton& cancel) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, &cancel, &QPushButton::click);
}

}  // namespace glossel::forms
