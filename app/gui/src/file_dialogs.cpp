#include "file_dialogs.h"

#include "platform.h"
#include "profile.h"

#include <QFileDialog>
#include <QFileInfo>

namespace qd {
namespace {

const ProfileKey<int> kOpenFilter{"Image Open", "FilterIndex", 0};
const ProfileKey<QString> kOpenDir{"Image Open", "Initial Dir", {}};
const ProfileKey<int> kSaveFilter{"Image Save As", "FilterIndex", 0};
const ProfileKey<QString> kSaveDir{"Image Save As", "Initial Dir", {}};

// The extension of a "Description (*.ext)" filter; empty for "*".
QString extensionOf(const QString& filter) {
    const int star = filter.indexOf("*.");
    if (star < 0) return {};
    return filter.mid(star + 2).section(')', 0, 0).section(' ', 0, 0);
}

// Runs the dialog with the profile's filter (1-based; 0 selects none, so the
// first filter applies) and directory; writes both back when a file is chosen.
QString runImageDialog(QFileDialog& dlg, const QStringList& filters,
                       const ProfileKey<int>& filterKey, const ProfileKey<QString>& dirKey) {
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setNameFilters(filters);
    const int index = filterKey.read();
    if (index >= 1 && index <= filters.size()) dlg.selectNameFilter(filters[index - 1]);
    dlg.setDefaultSuffix(extensionOf(dlg.selectedNameFilter()));
    QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg,
                     [&dlg](const QString& f) { dlg.setDefaultSuffix(extensionOf(f)); });
    const QString dir = dirKey.read();
    if (!dir.isEmpty()) dlg.setDirectory(dir);
    if (runModal(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    filterKey.write(filters.indexOf(dlg.selectedNameFilter()) + 1);
    const QString path = dlg.selectedFiles().first();
    dirKey.write(QFileInfo(path).absolutePath());
    return path;
}

} // namespace

QString askOpenImagePath(QWidget* parent, const QStringList& filterTypes) {
    QFileDialog dlg(parent, "Open");
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    return runImageDialog(
        dlg,
        QStringList{"All files (*)", "Quidora Files (*.qdw)", "Bitmap files (*.bmp)", "Tiff files (*.tif)"} +
            filterTypes,
        kOpenFilter, kOpenDir);
}

QString askSaveImagePath(QWidget* parent, const QString& initialName, const QStringList& filterTypes) {
    QFileDialog dlg(parent, "Save As");
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.selectFile(initialName);
    return runImageDialog(dlg, QStringList{"Quidora Files (*.qdw)", "Bitmap files (*.bmp)"} + filterTypes,
                          kSaveFilter, kSaveDir);
}

QString askSaveTextPath(QWidget* parent) {
    QFileDialog dlg(parent, "Save Result");
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setOption(QFileDialog::DontConfirmOverwrite);
    dlg.setNameFilters({"Text file (*.txt)", "All files (*)"});
    dlg.setDefaultSuffix("txt");
    if (runModal(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

} // namespace qd
