// The program's message boxes: always titled "Glossel", with an OK button, or "Ja" and "Nein" for
// a question. Tests answer them in advance: after answerInAdvance() boxes are recorded instead of
// shown, and questions get the answers given with answerNextQuestion().
#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace glossel::forms {

inline constexpr char kMessageTitle[] = "Glossel";

enum class MessageIcon { None, Information, Question };

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
    // Asks a question with "Ja" and "Nein" ("Nein" the default, also for Esc and the close box);
    // true for "Ja".
    static bool ask(QWidget* parent, const QString& text);

    // From now on every box is recorded and closed with OK at once.
    static void answerInAdvance();
    // The answer to the next question not yet answered; a question without one gets "Nein".
    static void answerNextQuestion(bool yes);
    // The boxes recorded since the last call, oldest first.
    static QList<ShownMessage> takeShown();
};

}  // namespace glossel::forms
