// The import window: choose a registered project and a returned exchange file, tick any of the
// file's languages, check what the import would change, and import. The window holds no data of
// its own beyond what its controls show.
#pragma once

#include <QWidget>

#include <cstdint>
#include <vector>

class QLineEdit;
class QPushButton;

namespace glossel::forms {

class LanguageListWidget;

class FImport : public QWidget {
    Q_OBJECT

public:
    explicit FImport(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    void connectHandlers();

    void applyImportRule();
    void fillLanguages();
    std::vector<std::int32_t> tickedLanguages() const;

    void cmdSearchProject_Click();
    void cmdSearchFile_Click();
    void cmdCheck_Click();
    void cmdImport_Click();

    QLineEdit* txtName;
    QPushButton* cmdSearchProject;
    QLineEdit* txtPath;
    QLineEdit* txtFile;
    QPushButton* cmdSearchFile;
    LanguageListWidget* lstLanguages;
    QPushButton* cmdCheck;
    QPushButton* cmdImport;
    QPushButton* cmdClose;
};

}  // namespace glossel::forms
