#pragma once
// The open and save dialogs of images and of the result text, with their
// filter index and directory kept in the profile.

#include <QString>
#include <QStringList>

class QWidget;

namespace qd {

// Filters as "Description (*.ext)"; returns the chosen path or empty.
QString askOpenImagePath(QWidget* parent);
QString askSaveImagePath(QWidget* parent, const QString& initialName);
QString askSaveTextPath(QWidget* parent);

} // namespace qd
