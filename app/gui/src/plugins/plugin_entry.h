#pragma once
// One loaded plug-in library: its exports, its menu command and the record
// kept in the plug-in list file.

#include <qd/core/shared_library.h>

#include <qd/core/extension_lists.h>
#include <qd/plugin_server.h>

#include <QString>

namespace qd {

class CPlugInEntry {
  public:
    enum Status { Loaded = 0, NotLoadable = 1, ExportMissing = 2 };

    // Loads the library of the record's path and looks up its exports.
    explicit CPlugInEntry(PlugInRecord record);

    Status status() const { return status_; }
    const PlugInRecord& record() const { return record_; }
    void setMenuPosition(std::string position) { record_.menuPosition = std::move(position); }
    int commandId() const { return commandId_; }
    void setCommandId(int id) { commandId_ = id; }
    // The menu text the plug-in gives itself.
    QString name() const;

    int run(int argument, PLUGINSERVER server) const;
    // Bit 0: disabled, bit 1: checked; 0 without the export.
    int menuUpdate(PLUGINSERVER server) const;

  private:
    using MainFn = int (*)(int, PLUGINSERVER);
    using NameFn = const char* (*)();
    using UpdateFn = int (*)(PLUGINSERVER);

    PlugInRecord record_;
    SharedLibrary library_;
    Status status_ = NotLoadable;
    int commandId_ = 0;
    MainFn main_ = nullptr;
    NameFn name_ = nullptr;
    UpdateFn update_ = nullptr;
};

} // namespace qd
