// The shared look of the windows; the pictures come from the program's resources.
#include "forms/WindowLook.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace glossel::forms {
namespace {

constexpr double kDesignFontPoints = 8.0;

}  // namespace

QIcon programIcon() {
    QIcon icon;
    icon.addFile(":/glossel/Glossel16.xpm", QSize(16, 16));
    icon.addFile(":/glossel/Glossel32.xpm", QSize(32, 32));
    return icon;
}

QIcon binocularsPicture() {
    return QIcon(":/glossel/Binoculars.xpm");
}

void applyWindowLook(QWidget& window) {
    window.setWindowIcon(programIcon());
    QFont font = window.font();
    font.setPointSizeF(kDesignFontPoints);
    window.setFont(font);
}

void centreOnScreen(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect frame(QPoint(), window.size());
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

}  // namespace glossel::forms
