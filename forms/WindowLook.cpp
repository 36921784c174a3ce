// The shared look of the windows; the pictures come from the program's resources.
#include "forms/WindowLook.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
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

void setUpWindow(QWidget& window, const char* objectName, const char* caption,
                 Qt::WindowFlags flags, QSize size) {
    window.setObjectName(objectName);
    window.setWindowTitle(QString::fromUtf8(caption));
    window.setWindowFlags(flags | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window.setFixedSize(size);
    window.setWindowIcon(programIcon());
    QFont font = window.font();
    font.setPointSizeF(kDesignFontPoints);
    window.setFont(font);
}

QGroupBox* addFrame(QWidget& window, QRect place) {
    auto* frame = new QGroupBox(&window);
    frame->setObjectName("fra");
    frame->setGeometry(place);
    return frame;
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

QPushButton* addDialogButton(QHBoxLayout& row, const char* caption, const char* objectName) {
    auto* button = new QPushButton(QString::fromUtf8(caption));
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    row.addWidget(button);
    return button;
}

}  // namespace glossel::forms
