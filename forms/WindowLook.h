// What every window of the program shares: the program's icon, the dialog font of the design
// (8 point), a fixed border, the frame its controls sit in, the place on the screen where it
// opens, and the buttons of the laid-out dialogs.
#pragma once

#include <QIcon>
#include <QRect>
#include <QSize>

class QGroupBox;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace glossel::forms {

// The program's icon, 16 × 16 and 32 × 32.
QIcon programIcon();
// The search buttons' binoculars picture, 15 × 13 with a transparent background.
QIcon binocularsPicture();

// Names and captions the window, gives it a fixed size and border (title bar and close box
// besides the `flags` given) and the program's icon and font.
void setUpWindow(QWidget& window, const char* objectName, const char* caption,
                 Qt::WindowFlags flags, QSize size);
// The frame ("fra") that holds a window's controls.
QGroupBox* addFrame(QWidget& window, QRect place);
// Moves the window (at its fixed size) to the middle of the primary screen.
void centreOnScreen(QWidget& window);
// Adds a named button to a dialog's button row; it never becomes the default by taking the focus.
QPushButton* addDialogButton(QHBoxLayout& row, const char* caption, const char* objectName);

}  // namespace glossel::forms
