// What every window of the program shares: the program's icon, the dialog font of the design
// (8 point), and the place on the screen where it opens.
#pragma once

#include <QIcon>

class QWidget;

namespace glossel::forms {

// The program's icon, 16 × 16 and 32 × 32.
QIcon programIcon();
// The search buttons' binoculars picture, 15 × 13 with a transparent background.
QIcon binocularsPicture();

void applyWindowLook(QWidget& window);
// Moves the window (at its fixed size) to the middle of the primary screen.
void centreOnScreen(QWidget& window);

}  // namespace glossel::forms
