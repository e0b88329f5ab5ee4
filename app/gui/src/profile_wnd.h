#pragma once
// The profile window: a plot of the values along the line the Profile
// cursor drags, with the calibration's units, the value under the mouse, and
// the numbers to copy or to send to the result window.

#include <QWidget>

#include <qd/core/line_profile.h>

class QLabel;
class QPushButton;

class CProfilePlot : public QWidget {
    Q_OBJECT
  public:
    explicit CProfilePlot(QWidget* parent = nullptr);
    void setProfile(const qd::LineProfile& p);
    // The sample nearest a point of the plot, or -1.
    int sampleAt(QPoint p) const;

  signals:
    void hovered(int sample);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

  private:
    QRect plotArea() const;
    qd::LineProfile profile_;
    double low_ = 0, high_ = 1;
};

class CProfileWnd : public QWidget {
    Q_OBJECT
  public:
    explicit CProfileWnd(QWidget* parent = nullptr);

    void setProfile(const qd::LineProfile& p);
    const qd::LineProfile& profile() const { return profile_; }
    // The numbers, a line per sample.
    QString text() const;
    CProfilePlot* plot() const { return plot_; }
    QLabel* readout() const { return readout_; }
    QPushButton* copyButton() const { return copy_; }
    QPushButton* resultButton() const { return result_; }

  private:
    void showSample(int sample);

    qd::LineProfile profile_;
    CProfilePlot* plot_;
    QLabel* readout_;
    QPushButton* copy_;
    QPushButton* result_;
};
