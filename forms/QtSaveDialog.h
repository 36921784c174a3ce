// FileTools.ShowSaveDialog in this program: Qt's own (not the desktop's native) file dialog, so
// that it looks and behaves alike everywhere and tests can drive it.
#pragma once

#include "platform/systools/SaveDialog.h"

namespace glossel::forms {

class QtSaveDialog : public systools::SaveDialog {
public:
    std::string show(const systools::SaveDialogRequest& request) override;
};

}  // namespace glossel::forms
