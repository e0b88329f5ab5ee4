#include "plugin_menu.h"

#include <QMenu>
#include <QMenuBar>

namespace qd {
namespace {

QMenu* popUpNamed(const QList<QAction*>& items, const QString& label) {
    for (QAction* a : items)
        if (a->menu() && a->text() == label) return a->menu();
    return nullptr;
}

} // namespace

QString placeInMenu(QMenuBar* bar, const QString& position, QAction* item) {
    const QStringList labels = position.left(511).split('|', Qt::SkipEmptyParts);
    QWidget* target = bar;
    QString kept = labels.isEmpty() ? QString() : labels[0] + '|';
    for (int i = 1; i < labels.size(); ++i) {
        kept += labels[i] + '|';
        QMenu* next = popUpNamed(target->actions(), labels[i]);
        if (!next) break;
        target = next;
    }
    target->addAction(item);
    return kept;
}

} // namespace qd
