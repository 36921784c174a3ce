// Message boxes through QMessageBox, or into a record when tests answer them in advance.
#include "forms/MessageBox.h"

#include <QMessageBox>

#include <utility>

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
        answeredBoxes().shown.append({text, icon});
        return;
    }
    QMessageBox box(
        icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
        QString::fromUtf8(kMessageTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

void MessageBox::answerInAdvance() {
    answeredBoxes().active = true;
}

QList<ShownMessage> MessageBox::takeShown() {
    return std::exchange(answeredBoxes().shown, {});
}

}  // namespace glossel::forms
