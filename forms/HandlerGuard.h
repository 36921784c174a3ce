// Runs an event handler of a window so that an error escaping it ends the handler only: the
// error is shown as "number: description" in a message box over the window, and the program
// goes on with the fields as the handler left them.
#pragma once

#include <functional>

class QWidget;

namespace glossel::forms {

void runHandler(QWidget* window, const std::function<void()>& handler);

}  // namespace glossel::forms
