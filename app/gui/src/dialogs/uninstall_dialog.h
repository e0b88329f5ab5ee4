#pragma once
// Uninstall Plug-In and Uninstall File Filter: a list of names whose Delete
// removes the selected one at once, through the caller.

#include <QDialog>
#include <QStringList>
#include <functional>

class QDialogButtonBox;
class QListWidget;
class QPushButton;

// Called with the selected row (its index in the list as it stands) and name.
using UninstallFunction = std::function<void(int row, const QString& name)>;

class CUninstallDialog : public QDialog {
    Q_OBJECT
  public:
    CUninstallDialog(const QString& title, const QStringList& names, UninstallFunction onDelete,
                     QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    QPushButton* deleteButton() const { return delete_; }
    QDialogButtonBox* buttons() const { return buttons_; }

    void deleteSelected();

  private:
    void updateEnabled();

    UninstallFunction onDelete_;
    QListWidget* list_;
    QPushButton* delete_;
    QDialogButtonBox* buttons_;
};

void runUninstallDialog(QWidget* parent, const QString& title, const QStringList& names,
                        const UninstallFunction& onDelete);
