// Test helpers for the windows: answering modal windows, finding and clicking controls, a
// machine registry with projects made from the demo project, and a fixture showing one window.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>

#include <algorithm>

#include <functional>
#include <string>
#include <vector>

#include "forms/MessageBox.h"
#include "tests/platform/systools/RegistryTestSupport.h"

namespace glossel::forms::test {

// Runs `action` on the next modal window as soon as it is shown and active. The action must end
// it. The watch returned may be deleted to call it off while no modal window came.
QPointer<QTimer> onNextModal(std::function<void(QWidget&)> action);

// Fails the test when a column of a file dialog's details view is narrower than its title and
// contents need, or the view is not the details view.
void expectUnclippedFileColumns(QWidget& fileDialog);

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

// The access keys (Alt+letter) that more than one label or button of the window claims: Qt
// only moves the focus between those instead of acting.
QStringList accessKeysUsedTwice(const QWidget& window);

// The table's cells as it shows them, row by row, top to bottom.
std::vector<QStringList> tableRows(const QTableView& table);

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

// A window of type `Window`, shown and active for each test, over a registry of test projects
// made before it, so that its chooser reads them.
template <class Window>
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        MessageBox::takeShown();
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    QLineEdit& field(const char* name) { return child<QLineEdit>(window_, name); }
    QPushButton& button(const char* name) { return child<QPushButton>(window_, name); }
    QListWidget& languages() { return child<QListWidget>(window_, "lstLanguages"); }

    // The language list's entries, top to bottom.
    QStringList entries() {
        QStringList texts;
        for (int row = 0; row < languages().count(); ++row) {
            texts.append(languages().item(row)->text());
        }
        return texts;
    }

    // Opens the chooser with a double-click on the name field and lets `user` act on it.
    void openChooser(std::function<void(QWidget&)> user) {
        onNextModal(std::move(user));
        QTest::mouseDClick(&field("txtName"), Qt::LeftButton);
    }

    // Chooses the registered project `name` in the chooser, with a click on its row and on Open.
    void chooseProject(const std::string& name) {
        openChooser([name](QWidget& dialog) {
            auto& list = child<QTreeWidget>(dialog, "lvwRegisteredProjects");
            const std::vector<std::string> rows = rowNames(list);
            const auto row = std::find(rows.begin(), rows.end(), name);
            ASSERT_NE(row, rows.end()) << name;
            clickRow(list, static_cast<int>(row - rows.begin()));
            QTest::mouseClick(&child<QPushButton>(dialog, "cmdOpen"), Qt::LeftButton);
        });
    }

    // The first line of the chooser's help, as the window opens the chooser.
    QString chooserPurpose() {
        QString purpose;
        openChooser([&purpose](QWidget& dialog) {
            QTest::mouseClick(&child<QPushButton>(dialog, "cmdHelp"), Qt::LeftButton);
            dialog.close();
        });
        for (const auto& shown : MessageBox::takeShown()) {
            purpose = shown.text.section('\n', 0, 0);
        }
        return purpose;
    }

    TestProjects projects_;
    Window window_;
};

}  // namespace glossel::forms::test
