#include "modal_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
constexpr int kTickMs = 5;
constexpr int kMaxIdleTicks = 1000; // five seconds without progress
} // namespace

ModalDriver::ModalDriver(std::vector<Step> steps) : steps_(std::move(steps)) {
    boxTimer_.setInterval(kTickMs);
    stepTimer_.setInterval(kTickMs);
    QObject::connect(&boxTimer_, &QTimer::timeout, [this] { closeBox(); });
    QObject::connect(&stepTimer_, &QTimer::timeout, [this] { step(); });
    boxTimer_.start();
    stepTimer_.start();
}

ModalDriver::~ModalDriver() {
    boxTimer_.stop();
    stepTimer_.stop();
}

void ModalDriver::closeBox() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        boxes.push_back({box->text(), box->windowTitle(), box->icon()});
        box->done(QMessageBox::Ok);
    }
}

void ModalDriver::step() {
    QWidget* w = QApplication::activeModalWidget();
    auto* dlg = qobject_cast<QDialog*>(w);
    if (!dlg || qobject_cast<QMessageBox*>(w) || busy_) return;
    if (next_ == steps_.size() || ++idleTicks_ > kMaxIdleTicks) {
        ++forced;
        dlg->reject();
        return;
    }
    busy_ = true;
    titles.push_back(dlg->windowTitle());
    const bool done = steps_[next_](*dlg);
    busy_ = false;
    if (done) {
        ++next_;
        idleTicks_ = 0;
    } else {
        titles.pop_back();
    }
}

QLineEdit* lineEdit(QDialog& d, const char* name) {
    auto* e = d.findChild<QLineEdit*>(name);
    EXPECT_NE(e, nullptr) << name;
    return e;
}

void setField(QDialog& d, const char* name, const QString& text) {
    if (QLineEdit* e = lineEdit(d, name)) e->setText(text);
}

void click(QDialog& d, const QString& label) {
    for (QAbstractButton* b : d.findChildren<QAbstractButton*>())
        if (b->text() == label) {
            b->click();
            return;
        }
    ADD_FAILURE() << "no button " << label.toStdString();
}

static void press(QDialog& d, QDialogButtonBox::StandardButton which) {
    auto* box = d.findChild<QDialogButtonBox*>("buttons");
    ASSERT_NE(box, nullptr);
    box->button(which)->click();
}

void pressOk(QDialog& d) { press(d, QDialogButtonBox::Ok); }
void pressCancel(QDialog& d) { press(d, QDialogButtonBox::Cancel); }
