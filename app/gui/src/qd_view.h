#pragma once
// The view of an image window: draws the image at its draw rectangle and
// carries the mouse tools.

#include <QLine>
#include <QRect>
#include <QWidget>
#include <cstdint>

#include "recorded_change.h"

#include <qd/image.h>

class CQDDoc;
class QScrollBar;

// The brush settings captured when a stroke starts.
struct BrushSettings {
    int size = 1;
    double real = 0.0;
    double imaginary = 0.0;
    uint32_t rgb = 0;
    bool circle = false; // a disc rather than a square
};

class CQDView : public QWidget {
    Q_OBJECT
  public:
    CQDView(CQDDoc* doc, QWidget* parent = nullptr);
    ~CQDView() override;

    CQDDoc* document() const { return doc_; }
    IMHANDLE image() const;
    int elementType() const { return elementType_; }
    int lockFlag() const { return lock_; }
    void setLockFlag(int lock) { lock_ = lock; }
    void leaveRegistry();

    // Zoom by 2 about a client point within the size limits; false when refused.
    bool zoomIn(QPoint at);
    bool zoomOut(QPoint at);
    // "(%d, %d)    %s" for a point over the image, else empty.
    QString pixelText(QPoint at) const;
    // One brush stamp centred on the image pixel under a client point.
    void brushStamp(QPoint at, const BrushSettings& brush);
    QSize sizeHint() const override;
    QScrollBar* horizontalBar() const { return hbar_; }
    QScrollBar* verticalBar() const { return vbar_; }

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

  private:
    bool inDrawing(QPoint p) const;
    void imageChanged();
    void afterZoom();
    // Moves the picture under the window by (dx, dy) client pixels.
    void scrollImage(int dx, int dy);
    // Bars follow the draw rectangle, shown when the picture is larger than the window.
    void syncScrollBars();

    CQDDoc* doc_;
    int elementType_ = 0;
    int lock_ = 0;
    bool registered_ = false;
    bool leftDrag_ = false;
    bool rightDrag_ = false;
    QPoint anchor_;
    QPoint current_;
    BrushSettings brush_;
    qd::StrokeRecorder stroke_;
    bool stroking_ = false;
    // Tool feedback painted inverted over the image.
    QRect band_;
    QLine line_;
    QScrollBar* hbar_;
    QScrollBar* vbar_;
};
