#pragma once
// The histogram window: the active image's display histogram, brightness and
// contrast sliders acting at once, Apply folding them into the display range,
// and a range chosen with the mouse on the plot.

#include <QPointer>
#include <QRect>
#include <QVector>
#include <QWidget>

#include <qd/image.h>

class QLabel;
class QPushButton;
class QSlider;
class CQDView;

class CHistoFrame : public QWidget {
    Q_OBJECT
  public:
    // Plot geometry in client coordinates.
    static constexpr int kPlotLeft = 11;
    static constexpr int kPlotWidth = 128;
    static constexpr int kBaseline = 111;
    static constexpr int kPlotHeight = 100;

    explicit CHistoFrame(QWidget* parent = nullptr);

    void setView(CQDView* view);
    CQDView* view() const { return view_; }

    // Bar (n < 256) or column (n = 256) heights in pixels; empty when nothing
    // is plotted.
    QVector<int> plotHeights() const;
    // Colours of the image (2, 16 or 256); 0 without a plottable image.
    int colourCount() const;
    QRect selection() const { return selection_; }

    QSlider* brightnessSlider() const { return brightness_; }
    QSlider* contrastSlider() const { return contrast_; }
    QLabel* brightnessText() const { return brightnessText_; }
    QLabel* contrastText() const { return contrastText_; }
    QPushButton* applyButton() const { return apply_; }
    void apply();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    IMHANDLE image() const;
    // A slider's new value goes to the image at once (brightness or contrast).
    void sliderMoved(int value, int& last, QLabel* text, int32_t (*get)(IMHANDLE) noexcept,
                     void (*set)(IMHANDLE, int32_t) noexcept);
    void repaintImage();
    // The new display range as the recorder's qdcli line.
    void recordRange();
    // The columns (or whole bars) between the anchor and x.
    QRect spanTo(int x) const;

    QPointer<CQDView> view_;
    QSlider* brightness_;
    QSlider* contrast_;
    QLabel* brightnessText_;
    QLabel* contrastText_;
    QPushButton* apply_;
    bool dragging_ = false;
    int anchorX_ = 0;
    QRect selection_;
    int lastBrightness_ = 0;
    int lastContrast_ = 0;
};
