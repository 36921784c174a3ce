// How the language transfer shows its messages: through this small interface, which the window
// implements with message boxes (title "Glossel") and the command line with its output.
#pragma once

#include <string>

namespace glossel::transfer {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // A plain box with only an OK button.
    virtual void ShowPlain(const std::string& text) = 0;
    // An OK box with the information icon.
    virtual void ShowInformation(const std::string& text) = 0;
};

}  // namespace glossel::transfer
