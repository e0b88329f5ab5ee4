// The Plug-In menu: run a plug-in once, install and uninstall plug-ins and
// file filters.
#include <qd/core/file_filter_list.h>
#include "main_frame.h"
#include "platform.h"
#include "plugin_list.h"
#include "plugin_requests.h"
#include "profile.h"
#include "qd_app.h"
#include "select_menu_position_dialog.h"
#include "uninstall_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace {

const qd::ProfileKey<QString> kPlugInDir{"PlugIn Open", "Initial Dir", {}};
const qd::ProfileKey<QString> kFilterDir{"File Filter Open", "Initial Dir", {}};

// An existing library file, its directory kept in the profile; empty on Cancel.
std::string askLibraryPath(QWidget* parent, const qd::ProfileKey<QString>& dirKey) {
    QFileDialog dlg(parent, "Open");
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setNameFilters({"Plug-Ins (*.so)"});
    dlg.setDefaultSuffix("so");
    const QString dir = dirKey.read();
    if (!dir.isEmpty()) dlg.setDirectory(dir);
    if (qd::runModal(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    const QString path = dlg.selectedFiles().first();
    dirKey.write(QFileInfo(path).absolutePath());
    return QFile::encodeName(path).toStdString();
}

void refuse(QWidget* parent, const char* text) { qd::messageBox(parent, text, "warning", qd::MbOk | qd::MbIconStop); }

} // namespace

void CMainFrame::runPlugInOnce() {
    const std::string path = askLibraryPath(this, kPlugInDir);
    if (path.empty()) return;
    qd::SharedLibrary library;
    using MainFn = int (*)(int, PLUGINSERVER);
    auto main = library.load(path) ? reinterpret_cast<MainFn>(library.symbol({"PlugInMain"})) : nullptr;
    if (!main) {
        refuse(this, "This file is not Plug-In file.");
        return;
    }
    using NameFn = const char* (*)();
    auto name = reinterpret_cast<NameFn>(library.symbol({"PlugInName"}));
    const char* text = name ? name() : nullptr;
    qdApp()->runPlugIn(text ? QString::fromLocal8Bit(text) : QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName(),
                       [&] { main(0, requests_->server()); }, QString::fromLocal8Bit(path.c_str()));
}

void CMainFrame::installPlugIn() {
    const std::string path = askLibraryPath(this, kPlugInDir);
    if (path.empty()) return;
    // A path the list file cannot hold would come back as another file.
    auto entry = path.size() < qd::kListFieldSize ? std::make_unique<qd::CPlugInEntry>(qd::PlugInRecord{path, {}})
                                                  : nullptr;
    if (!entry || entry->status() != qd::CPlugInEntry::Loaded) {
        refuse(this, "Not Plug-In");
        return;
    }
    const std::optional<QString> position = runSelectMenuPositionDialog(this, imageMenu());
    if (!position) return;
    entry->setMenuPosition(position->toLocal8Bit().toStdString());
    qdApp()->plugInList()->add(std::move(entry), imageMenu());
}

void CMainFrame::uninstallPlugIn() {
    qd::CPlugInList* list = qdApp()->plugInList();
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->at(i).name();
    if (names.isEmpty()) return;
    runUninstallDialog(this, "Uninstall Plug-In", names, [list](int row, const QString&) { list->remove(row); });
}

void CMainFrame::installFileFilter() {
    const std::string path = askLibraryPath(this, kFilterDir);
    if (path.empty()) return;
    auto entry = path.size() < qd::kListFieldSize ? std::make_unique<qd::CFileFilterEntry>(path) : nullptr;
    if (!entry || !entry->isValid()) {
        refuse(this, "Not File Filter");
        return;
    }
    qdApp()->fileFilterList()->add(std::move(entry));
}

void CMainFrame::uninstallFileFilter() {
    qd::CFileFilterList* list = qdApp()->fileFilterList();
    QStringList names;
    // The shipped filters come with the program and stay.
    for (int i = 0; i < list->installedCount(); ++i) names << QString::fromLocal8Bit(list->at(i).description());
    if (names.isEmpty()) return;
    runUninstallDialog(this, "Uninstall File Filter", names, [list](int, const QString& name) {
        for (int i = 0; i < list->installedCount(); ++i)
            if (QString::fromLocal8Bit(list->at(i).description()) == name) {
                list->remove(i);
                return;
            }
    });
}
