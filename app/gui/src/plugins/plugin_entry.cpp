#include "plugin_entry.h"

namespace qd {

CPlugInEntry::CPlugInEntry(PlugInRecord record) : record_(std::move(record)) {
    if (!library_.load(record_.path)) return;
    // Libraries of the first plug-in compilers export decorated names only.
    main_ = reinterpret_cast<MainFn>(library_.symbol({"PlugInMain", "@PlugInMain$qpx14PLUGINSERVER__"}));
    name_ = reinterpret_cast<NameFn>(library_.symbol({"PlugInName", "@PlugInName$qv"}));
    update_ = reinterpret_cast<UpdateFn>(library_.symbol({"PlugInMenuUpdate", "@PlugInMenuUpdate$qv"}));
    status_ = main_ && name_ ? Loaded : ExportMissing;
}

QString CPlugInEntry::name() const {
    const char* n = name_ ? name_() : nullptr;
    return n ? QString::fromLocal8Bit(n) : QString();
}

int CPlugInEntry::run(int argument, PLUGINSERVER server) const { return main_ ? main_(argument, server) : 0; }

int CPlugInEntry::menuUpdate(PLUGINSERVER server) const { return update_ ? update_(server) : 0; }

} // namespace qd
