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
    QList<bool> answers;
};

AnsweredBoxes& answeredBoxes() {
    static AnsweredBoxes boxes;
    return boxes;
}

// A box waits for the user: it never shows the wait cursor of an operation it interrupts.
int execWithArrow(QMessageBox& box) {
    const bool waiting = WaitCursor::shown();
    if (waiting) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
    const int button = box.exec();
    if (waiting) {
        QGuiApplication::restoreOverrideCursor();
    }
    return button;
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
    execWithArrow(box);
}

bool MessageBox::ask(QWidget* parent, const QString& text) {
    if (answeredBoxes().active) {
        answeredBoxes().shown.append({text, MessageIcon::Question, WaitCursor::shown()});
        return !answeredBoxes().answers.isEmpty() && answeredBoxes().answers.takeFirst();
    }
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kMessageTitle), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return execWithArrow(box) == QMessageBox::Yes;
}

void MessageBox::answerInAdvance() {
    answeredBoxes().active = true;
}

void MessageBox::answerNextQuestion(bool yes) {
    answeredBoxes().answers.append(yes);
}

QList<ShownMessage> MessageBox::takeShown() {
    return std::exchange(answeredBoxes().shown, {});
}

}  // namespace glossel::forms
