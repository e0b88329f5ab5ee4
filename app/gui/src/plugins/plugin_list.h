#pragma once
// The installed plug-ins: loaded from the plug-in list file at start-up,
// each with an item in the image menu, and written back at exit.

#include "plugin_entry.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenuBar;

namespace qd {

class CPlugInList {
  public:
    struct Host {
        std::function<void(CPlugInEntry&)> run;   // the item was chosen
        std::function<int(CPlugInEntry&)> state;  // PlugInMenuUpdate's answer
    };

    CPlugInList(std::string file, Host host);
    // Writes the list file; unloads every library, uninstalled ones too.
    ~CPlugInList();

    // Loads every record of the file that names a usable plug-in.
    void load(QMenuBar* menu);
    // Gives the entry the next command and its item in the menu.
    void add(std::unique_ptr<CPlugInEntry> entry, QMenuBar* menu);
    // The items again, in a menu built anew.
    void insertAll(QMenuBar* menu);
    // Takes the entry out of the list and the menu; its library stays
    // loaded until exit, as its code may still be on the stack.
    void remove(int index);

    int count() const { return int(entries_.size()); }
    CPlugInEntry& at(int index) const { return *entries_[size_t(index)].entry; }
    // The entry behind a command, or null.
    CPlugInEntry* find(int commandId) const;
    // Asks the plug-ins whose items sit in the menu bar itself for their
    // state again (a menu asks its own when it opens).
    void refreshBarItems();
    bool write() const;

  private:
    struct Item {
        std::unique_ptr<CPlugInEntry> entry;
        QPointer<QAction> action;
    };
    void insert(Item& item, QMenuBar* menu);
    void applyState(QAction* a);

    std::string file_;
    Host host_;
    std::vector<Item> entries_;
    std::vector<std::unique_ptr<CPlugInEntry>> uninstalled_;
    int inserted_ = 0;
};

} // namespace qd
