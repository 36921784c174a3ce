// The windows' shared controls.
#include "forms/WindowControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

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
