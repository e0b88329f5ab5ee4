#pragma once
// One change of an image in place that can be taken back and made again.
// Steps keep only what they need: a region of values before and after, the
// display settings before and after, or nothing for a change that undoes
// itself.

#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <qd/image.h>

namespace qd {

class UndoStep {
  public:
    explicit UndoStep(QString name) : name_(std::move(name)) {}
    virtual ~UndoStep() = default;
    // As the menu says it: "Undo Brush".
    const QString& name() const { return name_; }
    virtual void undo(IMHANDLE im) = 0;
    virtual void redo(IMHANDLE im) = 0;
    // Memory the step holds.
    virtual int64_t bytes() const { return 0; }

  private:
    QString name_;
};

// What the image shows its values with.
struct DisplayState {
    int32_t drawType = 0;
    double initial = 0;
    double final = 0;
    int32_t brightness = 0;
    int32_t contrast = 0;
    QByteArray paletteName;

    static DisplayState of(IMHANDLE im);
    // Sets it, recomputes the colours and renders.
    void applyTo(IMHANDLE im, PMHANDLE palettes) const;
    bool operator==(const DisplayState&) const = default;
};

// A rectangle of a matrix's elements (image coordinates, rows from the
// bottom), copied out so that it can be put back.
class MatrixRegion {
  public:
    // Null when the copy cannot be allocated.
    static std::unique_ptr<MatrixRegion> copy(MTHANDLE m, QRect rect);
    ~MatrixRegion();
    MatrixRegion(const MatrixRegion&) = delete;
    MatrixRegion& operator=(const MatrixRegion&) = delete;

    void restoreInto(MTHANDLE m) const;
    QRect rect() const { return rect_; }
    MTHANDLE values() const { return values_; }
    int64_t bytes() const { return MTGetMemorySize(values_); }

  private:
    MatrixRegion(MTHANDLE values, QRect rect) : values_(values), rect_(rect) {}
    MTHANDLE values_;
    QRect rect_;
};

// Copies of every element of a rectangle from one matrix into another of the
// same type, by the type's own value path (exact for every type).
void copyElements(MTHANDLE from, QPoint fromAt, MTHANDLE to, QPoint toAt, QSize size);

// The state before and after: values of a data region, of a bitmap region
// and the display settings, each only when it changed.
class StateStep : public UndoStep {
  public:
    struct Side {
        std::unique_ptr<MatrixRegion> data, bitmap;
        std::optional<DisplayState> display;
    };
    StateStep(QString name, Side before, Side after, PMHANDLE palettes);
    void undo(IMHANDLE im) override { put(before_, im); }
    void redo(IMHANDLE im) override { put(after_, im); }
    int64_t bytes() const override;

  private:
    void put(const Side& side, IMHANDLE im) const;
    Side before_, after_;
    PMHANDLE palettes_;
};

// A change that its own operation takes back (a mirror), with the display
// settings it left.
class InvolutionStep : public UndoStep {
  public:
    InvolutionStep(QString name, void (*op)(IMHANDLE) noexcept, DisplayState before, DisplayState after,
                   PMHANDLE palettes);
    void undo(IMHANDLE im) override;
    void redo(IMHANDLE im) override;

  private:
    void (*op_)(IMHANDLE) noexcept;
    DisplayState before_, after_;
    PMHANDLE palettes_;
};

} // namespace qd
