#include "property_sheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

CPropertyPage::CPropertyPage(const QString& title, QWidget* parent) : QWidget(parent) {
    setWindowTitle(title);
}

CPropertySheet::CPropertySheet(const QString& caption, const QString& section, QWidget* parent)
    : QDialog(parent), section_(section) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons_);
}

void CPropertySheet::addPage(CPropertyPage* page) { tabs_->addTab(page, page->windowTitle()); }

int CPropertySheet::pageCount() const { return tabs_->count(); }

CPropertyPage* CPropertySheet::page(int index) const {
    return qobject_cast<CPropertyPage*>(tabs_->widget(index));
}

void CPropertySheet::accept() {
    for (int i = 0; i < pageCount(); ++i)
        if (!page(i)->validate()) {
            tabs_->setCurrentIndex(i);
            return;
        }
    for (int i = 0; i < pageCount(); ++i)
        page(i)->commit();
    QDialog::accept();
}
