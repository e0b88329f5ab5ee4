#pragma once
// Where an installed plug-in's item goes: a pop-up of the image menu, or
// one nested in it, or the top menu itself.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QDialogButtonBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace qd {

struct MenuNode {
    QString text;
    std::vector<MenuNode> children;
};

// "Top menu" with a child per pop-up of the menu (texts as shown, '&'
// included) and under each the pop-ups nested in it.
MenuNode menuPositionTree(const QWidget* menu);
// The labels from the root down, each followed by '|'.
QString menuPositionText(const QStringList& labels);

} // namespace qd

class CSelectMenuPositionDialog : public QDialog {
    Q_OBJECT
  public:
    // menu: the menu bar (or menu) whose pop-ups are offered.
    explicit CSelectMenuPositionDialog(const QWidget* menu, QWidget* parent = nullptr);

    QTreeWidget* tree() const { return tree_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    // Valid after acceptance.
    const QString& position() const { return position_; }

    void accept() override;

  private:
    QTreeWidget* tree_;
    QDialogButtonBox* buttons_;
    QString position_;
};

// The chosen menu position (for Process "Top menu|&Process|"); nothing on
// Cancel.
std::optional<QString> runSelectMenuPositionDialog(QWidget* parent, const QWidget* menu);
