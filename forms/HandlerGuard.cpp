// Errors that escape a window's handler, shown instead of ending the program.
#include "forms/HandlerGuard.h"

#include <QString>

#include <new>

#include "forms/MessageBox.h"
#include "platform/Error.h"

namespace glossel::forms {
namespace {

// As the VB runtime numbers them.
constexpr int kOutOfMemory = 7;
constexpr int kInternalError = 51;

void showError(QWidget* window, int number, const std::string& description) {
    MessageBox::show(window, QString::number(number) + ": " + QString::fromStdString(description),
                     MessageIcon::None);
}

}  // namespace

void runHandler(QWidget* window, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Error& error) {
        showError(window, error.number(), error.description());
    } catch (const std::bad_alloc&) {
        showError(window, kOutOfMemory, "Nicht genügend Speicher.");
    } catch (const std::exception& error) {
        showError(window, kInternalError, std::string("Interner Fehler: ") + error.what());
    }
}

}  // namespace glossel::forms
