// The controls the windows are built from, placed in twips as the designs give them: labels,
// text fields, the binoculars search buttons and the command buttons, and the keyboard wiring
// every window shares (tab order, Esc).
#pragma once

#include <QRect>

#include <initializer_list>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace glossel::forms {

// "lbl(index)" with its caption, access key marked with "&".
QLabel* addLabel(int index, const char* caption, QWidget* parent, QRect place);
QLineEdit* addTextField(const char* name, QWidget* parent, QRect place);
// A text field the user cannot type into, with the background of button faces.
void lockTextField(QLineEdit& field);
// A button showing the binoculars picture, beside the field it fills.
QPushButton* addSearchButton(const char* name, QWidget* parent, QRect place);
// A button that is not made the default by taking the focus: Return never presses it unasked.
QPushButton* addCommandButton(const char* caption, const char* name, QWidget* parent, QRect place);

// The head both windows share: the fixed window with its caption and frame, and in the frame the
// project's name (lbl(0), txtName with the binoculars cmdSearchProject beside it) and directory
// (lbl(1), txtPath), both not typeable, each label's access key leading to its field.
struct ProjectFields {
    QGroupBox* frame;
    QLineEdit* txtName;
    QPushButton* cmdSearchProject;
    QLineEdit* txtPath;
};
ProjectFields addProjectWindowHead(QWidget& window, const char* name, const char* caption);

// Tab goes through `controls` in the order given.
void chainTabOrder(std::initializer_list<QWidget*> controls);
// Esc anywhere in `window` clicks `cancel`.
void makeCancelButton(QWidget& window, QPushButton& cancel);

}  // namespace glossel::forms
