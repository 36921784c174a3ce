// The wait cursor as Qt's application override cursor.
#include "forms/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace glossel::forms {

WaitCursor::WaitCursor() {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

WaitCursor::~WaitCursor() {
    QGuiApplication::restoreOverrideCursor();
}

bool WaitCursor::shown() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

}  // namespace glossel::forms
