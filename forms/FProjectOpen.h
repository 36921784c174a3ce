// The project chooser: a modal dialog that lists the registered projects and yields the name of
// the one the user opens. Each showing loads the dialog afresh, so the list always reflects the
// registry (and the registrations of missing projects are pruned) at that moment.
#pragma once

#include <QDialog>

class QPushButton;

namespace glossel::forms {

class ReportListWidget;

class FProjectOpen : public QDialog {
    Q_OBJECT

public:
    // Shows the dialog modally and returns the chosen project's name as registered; "" when the
    // dialog ended without a choice ("Abbrechen", Esc, the close box). Errors while the list is
    // filled pass to the caller; the dialog is then not shown. `purpose`, a sentence on what the
    // project is chosen for, opens the dialog's help.
    static QString ProjectName(const char* purpose);

protected:
    // "Abbrechen", Esc and the close box all end here: without a choice.
    void reject() override;

private:
    explicit FProjectOpen(const char* purpose);

    void Form_Load();
    void lvwRegisteredProjects_ItemClick();
    void lvwRegisteredProjects_MouseDown(QPoint point);
    void cmdOpen_Click();
    void cmdHelp_Click();

    ReportListWidget* lvwRegisteredProjects;
    QPushButton* cmdOpen;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;
    QString SelectedProject;
    QString purpose_;
};

}  // namespace glossel::forms
