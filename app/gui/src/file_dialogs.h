#pragma once
// The open and save dialogs of images and of the result text, with their
// filter index and directory kept in the profile.

#include <QString>
#include <QStringList>

class QWidget;

namespace qd {

// Filters as "Description (*.ext)", the installed file filters' after the
// built-in ones; returns the chosen path or empty.
QString askOpenImagePath(QWidget* parent, const QStringList& filterTypes = {});
QString askSaveImagePath(QWidget* parent, const QString& initialName, const QStringList& filterTypes = {});
QString askSaveTextPath(QWidget* parent);

} // namespace qd
