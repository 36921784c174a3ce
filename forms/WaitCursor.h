// The wait cursor over the whole program while a long operation runs in the window's own
// thread, which then answers no input: shown from construction to destruction, so that it goes
// also when the operation ends with an error. Message boxes shown meanwhile get the ordinary
// arrow (MessageBox.cpp).
#pragma once

namespace glossel::forms {

class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    // Whether a wait cursor is shown now.
    static bool shown();
};

}  // namespace glossel::forms
