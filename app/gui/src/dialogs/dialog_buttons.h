#pragma once
// The OK / Cancel row every parameter dialog ends with: OK goes through the
// dialog's accept() (its check), Cancel rejects.

class QBoxLayout;
class QDialog;
class QDialogButtonBox;

namespace qd {

QDialogButtonBox* addOkCancel(QDialog* dialog, QBoxLayout* layout);

} // namespace qd
