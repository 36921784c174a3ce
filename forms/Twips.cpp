// Twips to pixels: 15 twips are one pixel at 96 dpi; screens with more dots per inch scale it.
#include "forms/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace glossel::forms {
namespace {

constexpr double kDesignDotsPerInch = 96.0;

double screenScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen == nullptr ? 1.0 : screen->logicalDotsPerInchY() / kDesignDotsPerInch;
}

}  // namespace

int pixels(int twips) {
    return static_cast<int>(std::lround(twips * screenScale() / kTwipsPerPixel));
}

QRect twipsRect(int left, int top, int width, int height) {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

QSize twipsSize(int width, int height) {
    return {pixels(width), pixels(height)};
}

}  // namespace glossel::forms
