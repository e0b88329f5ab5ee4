#include "select_menu_position_dialog.h"

#include "dialog_buttons.h"
#include "dialog_values.h"
#include "platform.h"
#include "profile.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qd {
namespace {

const ProfileKey<QString> kName{"SelectMenu", "Name", QString()};

void addPopups(const QWidget* menu, MenuNode& node, int levels) {
    if (!menu || levels == 0) return;
    for (const QAction* a : menu->actions())
        if (const QMenu* sub = a->menu()) {
            node.children.push_back({a->text(), {}});
            addPopups(sub, node.children.back(), levels - 1);
        }
}

QTreeWidgetItem* makeItem(const MenuNode& node) {
    auto* item = new QTreeWidgetItem(QStringList{node.text});
    for (const MenuNode& child : node.children)
        item->addChild(makeItem(child));
    return item;
}

QTreeWidgetItem* findText(QTreeWidgetItem* item, const QString& text) {
    if (item->text(0) == text) return item;
    for (int i = 0; i < item->childCount(); ++i)
        if (QTreeWidgetItem* found = findText(item->child(i), text)) return found;
    return nullptr;
}

} // namespace

MenuNode menuPositionTree(const QWidget* menu) {
    MenuNode root{"Top menu", {}};
    addPopups(menu, root, 2);
    return root;
}

QString menuPositionText(const QStringList& labels) {
    QString out;
    for (const QString& l : labels)
        out += l + '|';
    return out;
}

} // namespace qd

CSelectMenuPositionDialog::CSelectMenuPositionDialog(const QWidget* menu, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Select menu position");
    auto* layout = new QVBoxLayout(this);
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    QTreeWidgetItem* root = qd::makeItem(qd::menuPositionTree(menu));
    tree_->addTopLevelItem(root);
    tree_->expandAll();
    layout->addWidget(tree_);
    buttons_ = qd::addOkCancel(this, layout);

    const QString last = qd::kName.read();
    QTreeWidgetItem* pre = last.isEmpty() ? nullptr : qd::findText(root, last);
    tree_->setCurrentItem(pre ? pre : root);
}

void CSelectMenuPositionDialog::accept() {
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    if (selected.isEmpty()) {
        qd::showMessages(this, {qd::warning("Pop-up menu not selected.")});
        return;
    }
    QTreeWidgetItem* node = selected.front();
    QStringList labels;
    for (QTreeWidgetItem* i = node; i; i = i->parent())
        labels.prepend(i->text(0));
    qd::kName.write(node->text(0));
    position_ = qd::menuPositionText(labels);
    QDialog::accept();
}

std::optional<QString> runSelectMenuPositionDialog(QWidget* parent, const QWidget* menu) {
    CSelectMenuPositionDialog dialog(menu, parent);
    if (qd::runModal(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.position();
}
