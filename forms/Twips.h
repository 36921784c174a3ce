// Window geometry as the designs give it: twips, 15 to a pixel on a 96 dpi screen, scaled to the
// screen the windows appear on.
#pragma once

#include <QRect>
#include <QSize>

namespace glossel::forms {

inline constexpr int kTwipsPerPixel = 15;

// Pixels for `twips` on the primary screen.
int pixels(int twips);
QRect twipsRect(int left, int top, int width, int height);
QSize twipsSize(int width, int height);

}  // namespace glossel::forms
