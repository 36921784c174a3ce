// The main window: choose a registered project, tick up to three of its languages, name the
// target file and export. The window holds no data of its own beyond what its controls show.
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace glossel::forms {

class LanguageListWidget;

class FGlossel : public QWidget {
    Q_OBJECT

public:
    explicit FGlossel(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    void connectHandlers();

    void applyExportRule();

    void cmdSearchProject_Click();
    void cmdSearchImportTVS_Click();
    void lstLanguages_ItemCheck(int index);
    void cmdImport_Click();

    QLineEdit* txtName;
    QPushButton* cmdSearchProject;
    QLineEdit* txtPath;
    LanguageListWidget* lstLanguages;
    QLineEdit* txtImportTVS;
    QPushButton* cmdSearchImportTVS;
    QPushButton* cmdImport;
    QPushButton* cmdClose;
};

}  // namespace glossel::forms
