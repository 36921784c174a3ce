// Test helpers for the windows.
#include "tests/forms/FormsTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <filesystem>

namespace glossel::forms::test {
namespace {

constexpr int kPollMilliseconds = 10;

QPoint rowCentre(QTreeWidget& list, int row) {
    return list.visualItemRect(list.topLevelItem(row)).center();
}

std::string registryEscaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        escaped += c == '\\' || c == '"' ? std::string{'\\', c} : std::string(1, c);
    }
    return escaped;
}

}  // namespace

void expectUnclippedFileColumns(QWidget& fileDialog) {
    auto* files = fileDialog.findChild<QTreeView*>("treeView");
    ASSERT_NE(files, nullptr);
    EXPECT_TRUE(files->isVisible()) << "not the details view";
    const QHeaderView& header = *files->header();
    ASSERT_GE(header.count(), 4);
    // What the columns show of an exchange file, with the room Qt leaves around a text.
    const QString typical[] = {QString::fromUtf8("Rückgabe Linie 1 Französisch 2026-12-07.xlsx"),
                               "999,9 KiB", "xlsx-Datei", "07.12.2026 23:59"};
    int total = 0;
    for (int column = 0; column < 4; ++column) {
        const int needed = files->fontMetrics().horizontalAdvance(typical[column]) + 24;
        EXPECT_GE(header.sectionSize(column), needed) << "column " << column;
        total += header.sectionSize(column);
    }
    EXPECT_LE(total, files->viewport()->width()) << "the columns do not fit side by side";
}

std::vector<QStringList> tableRows(const QTableView& table) {
    const QAbstractItemModel& model = *table.model();
    std::vector<QStringList> rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column) {
            cells.append(model.index(row, column).data().toString());
        }
        rows.push_back(cells);
    }
    return rows;
}

QStringList accessKeysUsedTwice(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        texts.append(label->text());
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        texts.append(button->text());
    }
    QStringList seen;
    QStringList twice;
    for (const QString& text : texts) {
        const QString key = QKeySequence::mnemonic(text).toString();
        if (key.isEmpty()) {
            continue;
        }
        if (seen.contains(key) && !twice.contains(key)) {
            twice.append(key);
        }
        seen.append(key);
    }
    return twice;
}

QPointer<QTimer> onNextModal(std::function<void(QWidget&)> action) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(kPollMilliseconds);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible() || !modal->isActiveWindow()) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        action(*modal);
    });
    poll->start();
    return poll;
}

void clickRow(QTreeWidget& list, int row) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(list, row));
}

void doubleClickRow(QTreeWidget& list, int row) {
    const QPoint at = rowCentre(list, row);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
}

void clickBelowRows(QTreeWidget& list) {
    const QRect inside = list.viewport()->rect();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      QPoint(inside.width() / 2, inside.bottom() - 2));
}

std::vector<std::string> rowNames(const QTreeWidget& list) {
    std::vector<std::string> names;
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        names.push_back(list.topLevelItem(row)->text(0).toStdString());
    }
    return names;
}

std::string TestProjects::directory(const std::string& name) const {
    return registry_.directory() + "/" + name;
}

std::string TestProjects::add(const std::string& name, const std::string& type) {
    std::filesystem::create_directories(directory(name));
    std::filesystem::copy_file(GLOSSEL_DEMO_PROJECT, directory(name) + "/" + name + ".tvs",
                               std::filesystem::copy_options::overwrite_existing);
    registrations_.push_back({name, type, directory(name)});
    write();
    return directory(name);
}

void TestProjects::damage(const std::string& name) const {
    glossel::test::writeBytes(directory(name) + "/" + name + ".tvs",
                              std::vector<std::uint8_t>(4096, 0x5a));
}

void TestProjects::removeFile(const std::string& name) const {
    std::filesystem::remove(directory(name) + "/" + name + ".tvs");
}

void TestProjects::write() const {
    const std::string projects =
        "HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects";
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[" + projects + "]\r\n\r\n";
    for (const Registration& project : registrations_) {
        text += "[" + projects + "\\" + project.name + "]\r\n\"ProjectType\"=\"" + project.type +
                "\"\r\n\"Path\"=\"" + registryEscaped(project.path) + "\"\r\n\r\n";
    }
    registry_.write(text);
}

}  // namespace glossel::forms::test
