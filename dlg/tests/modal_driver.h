#pragma once
// Answers the library's modal dialogs from a timer while a C call runs
// them: each step gets the active dialog and says whether it is done;
// message boxes are recorded and closed, so no test blocks.

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <functional>
#include <ostream>
#include <vector>

class QDialog;
class QLineEdit;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon;
};

class ModalDriver {
  public:
    using Step = std::function<bool(QDialog&)>;
    explicit ModalDriver(std::vector<Step> steps);
    ~ModalDriver();

    std::vector<SeenBox> boxes;
    std::vector<QString> titles; // of each dialog a step was given
    // Dialogs closed because no step was left or a step never finished.
    int forced = 0;
    bool allStepsDone() const { return next_ == steps_.size(); }

  private:
    void closeBox();
    void step();

    std::vector<Step> steps_;
    size_t next_ = 0;
    bool busy_ = false;
    int idleTicks_ = 0;
    // Two timers: a timer does not fire again while its own handler runs,
    // and a step's click may wait in a message box's loop.
    QTimer boxTimer_;
    QTimer stepTimer_;
};

// Widgets of the active dialog by object name.
QLineEdit* lineEdit(QDialog& d, const char* name);
void setField(QDialog& d, const char* name, const QString& text);
// Clicks the radio or check box with that label.
void click(QDialog& d, const QString& label);
void pressOk(QDialog& d);
void pressCancel(QDialog& d);
