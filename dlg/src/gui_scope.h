#pragma once
// A QApplication for the length of one call: the one the caller runs, or a
// private one when the caller runs none (a plain C program or plug-in host).

#include <memory>

class QApplication;

namespace qddlg {

class GuiScope {
  public:
    GuiScope();
    ~GuiScope();
    GuiScope(const GuiScope&) = delete;
    GuiScope& operator=(const GuiScope&) = delete;

    // False beside a QCoreApplication without widgets, or off its thread:
    // no dialog can be shown there.
    bool usable() const { return usable_; }

  private:
    std::unique_ptr<QApplication> owned_;
    bool usable_ = false;
};

} // namespace qddlg
