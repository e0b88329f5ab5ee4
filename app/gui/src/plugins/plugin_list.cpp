#include "plugin_list.h"

#include "plugin_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <qd/core/settings_dir.h>

namespace qd {

CPlugInList::CPlugInList(std::string file, Host host) : file_(std::move(file)), host_(std::move(host)) {}

CPlugInList::~CPlugInList() {
    write();
    for (Item& i : entries_) delete i.action;
}

void CPlugInList::load(QMenuBar* menu) {
    for (PlugInRecord& r : readPlugInList(file_)) {
        auto entry = std::make_unique<CPlugInEntry>(std::move(r));
        if (entry->status() == CPlugInEntry::Loaded) add(std::move(entry), menu);
    }
}

void CPlugInList::add(std::unique_ptr<CPlugInEntry> entry, QMenuBar* menu) {
    entries_.push_back({std::move(entry), nullptr});
    insert(entries_.back(), menu);
}

void CPlugInList::insertAll(QMenuBar* menu) {
    for (Item& i : entries_) insert(i, menu);
}

void CPlugInList::insert(Item& item, QMenuBar* menu) {
    // Commands are never reused within a run: a rebuilt menu gets new ones.
    CPlugInEntry* e = item.entry.get();
    const int id = kFirstPlugInCommand + inserted_++;
    e->setCommandId(id);
    delete item.action;
    if (!menu) return;
    auto* a = new QAction(e->name(), menu);
    a->setData(id);
    QObject::connect(a, &QAction::triggered, a, [this, id] {
        if (id > kLastPlugInCommand) return;
        if (CPlugInEntry* found = find(id)) host_.run(*found);
    });
    item.action = a;
    const QString position = QString::fromLocal8Bit(e->record().menuPosition);
    e->setMenuPosition(placeInMenu(menu, position, a).toLocal8Bit().toStdString());
    // The plug-in says when its item opens whether it is enabled and checked.
    // An item of the menu bar itself never opens: it is asked when the
    // pointer reaches it and whenever another window becomes active.
    for (QObject* o : a->associatedObjects()) {
        if (auto* m = qobject_cast<QMenu*>(o))
            QObject::connect(m, &QMenu::aboutToShow, a, [this, a] { applyState(a); });
        else if (auto* bar = qobject_cast<QMenuBar*>(o)) {
            QObject::connect(bar, &QMenuBar::hovered, a, [this, a](QAction* h) {
                if (h == a) applyState(a);
            });
            applyState(a);
        }
    }
}

void CPlugInList::applyState(QAction* a) {
    const int id = a->data().toInt();
    CPlugInEntry* found = id <= kLastPlugInCommand ? find(id) : nullptr;
    const int state = found ? host_.state(*found) : 1;
    a->setEnabled(!(state & 1));
    a->setCheckable(state & 2);
    a->setChecked(state & 2);
}

void CPlugInList::refreshBarItems() {
    for (const Item& i : entries_)
        if (i.action)
            for (QObject* o : i.action->associatedObjects())
                if (qobject_cast<QMenuBar*>(o)) applyState(i.action);
}

void CPlugInList::remove(int index) {
    Item& i = entries_[size_t(index)];
    delete i.action;
    uninstalled_.push_back(std::move(i.entry));
    entries_.erase(entries_.begin() + index);
}

CPlugInEntry* CPlugInList::find(int commandId) const {
    for (const Item& i : entries_)
        if (i.entry->commandId() == commandId) return i.entry.get();
    return nullptr;
}

bool CPlugInList::write() const {
    std::vector<PlugInRecord> records;
    for (const Item& i : entries_) records.push_back(i.entry->record());
    return ensureSettingsDir() && writePlugInList(file_, records);
}

} // namespace qd
