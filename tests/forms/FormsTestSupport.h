// Test helpers for the windows: answering modal windows, finding and clicking controls, and a
// machine registry with projects made from the demo project.
#pragma once

#include <QTreeWidget>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "tests/platform/systools/RegistryTestSupport.h"

namespace glossel::forms::test {

// Runs `action` on the next modal window as soon as it is shown and active. The action must end
// it.
void onNextModal(std::function<void(QWidget&)> action);

// The child called `name`; fails the test (throws) when there is none.
template <class Control>
Control& child(const QWidget& parent, const char* name) {
    Control* control = parent.findChild<Control*>(name);
    if (control == nullptr) {
        throw std::runtime_error(std::string("no control ") + name);
    }
    return *control;
}

void clickRow(QTreeWidget& list, int row);
void doubleClickRow(QTreeWidget& list, int row);
// A click where no row lies (below the last one).
void clickBelowRows(QTreeWidget& list);

// The texts of the list's first column, top to bottom.
std::vector<std::string> rowNames(const QTreeWidget& list);

// A machine registry of the test's own (TESSVIA_REGISTRY) with projects registered in it.
class TestProjects {
public:
    // Registers `name` with a copy of the demo project in a directory of its own; returns the
    // directory.
    std::string add(const std::string& name, const std::string& type = "Single");
    // Replaces the project's file by bytes that are no database.
    void damage(const std::string& name) const;
    void removeFile(const std::string& name) const;
    std::string directory(const std::string& name) const;
    std::string registryText() const { return registry_.read(); }

private:
    struct Registration {
        std::string name;
        std::string type;
        std::string path;
    };
    void write() const;

    systools::test::TempRegistry registry_;
    std::vector<Registration> registrations_;
};

}  // namespace glossel::forms::test
