#include "warning_box.h"

#include <QMessageBox>

namespace qddlg {

void showWarning(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, kWarningTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace qddlg
