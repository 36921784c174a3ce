// Message boxes through QMessageBox, or into a record when tests answer them in advance.
#include "forms/MessageBox.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>

#include <utility>

#include "forms/WaitCursor.h"

namespace glossel::forms {
namespace {

struct AnsweredBoxes {
    bool active = false;
    QList<ShownMessage> shown;
};

AnsweredBoxes& answeredBoxes() {
    static AnsweredBoxes boxes;
    return boxes;
}

}  // namespace

void MessageBox::show(QWidget* parent, const QString& text, MessageIcon icon) {
    if (answeredBoxes().active) {
        answeredBoxes().shown.append({text, icon, WaitCursor::shown()});
        return;
    }
    QMessageBox box(
        icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
        QString::fromUtf8(kMessageTitle), text, QMessageBox::Ok, parent);
    // A box waits for the user: it never shows the wait cursor of an operation it interrupts.
    const bool waiting = WaitCursor::shown();
    if (waiting) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
    box.exec();
    if (waiting) {
        QGuiApplication::restoreOverrideCursor();
    }
}

void MessageBox::answerInAdvance() {
    answeredBoxes().active = true;
}

QList<ShownMessage> MessageBox::takeShown() {
    return std::exchange(answeredBoxes().shown, {});
}

}  // namespace glossel::forms
