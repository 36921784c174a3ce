// The program's message boxes: always titled "Glossel", an OK button only. Tests answer them in
// advance: after answerInAdvance() boxes are recorded instead of shown.
#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace glossel::forms {

inline constexpr char kMessageTitle[] = "Glossel";

enum class MessageIcon { None, Information };

struct ShownMessage {
    QString text;
    MessageIcon icon;
    // Whether the program showed the wait cursor when it asked for the box.
    bool duringWaitCursor;
};

class MessageBox {
public:
    // Shows a modal box over `parent` (nullptr: over no window) and returns when it is closed.
    static void show(QWidget* parent, const QString& text, MessageIcon icon);

    // From now on every box is recorded and closed with OK at once.
    static void answerInAdvance();
    // The boxes recorded since the last call, oldest first.
    static QList<ShownMessage> takeShown();
};

}  // namespace glossel::forms
