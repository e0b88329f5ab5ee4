#pragma once
// The undo and redo steps of one image, and the memory bound all images'
// steps share: when the steps together hold more, the oldest go first,
// whichever image they belong to.

#include "undo_step.h"

#include <deque>
#include <memory>
#include <vector>

namespace qd {

class CUndoHistory;

class UndoBudget {
  public:
    explicit UndoBudget(int64_t limitBytes) : limit_(limitBytes) {}
    int64_t limit() const { return limit_; }
    void setLimit(int64_t bytes);
    int64_t used() const;
    // Drops the oldest steps until the histories fit.
    void enforce();
    uint64_t nextSequence() { return ++sequence_; }

  private:
    friend class CUndoHistory;
    std::vector<CUndoHistory*> histories_;
    int64_t limit_;
    uint64_t sequence_ = 0;
};

class CUndoHistory {
  public:
    explicit CUndoHistory(UndoBudget* budget = nullptr);
    ~CUndoHistory();
    CUndoHistory(const CUndoHistory&) = delete;
    CUndoHistory& operator=(const CUndoHistory&) = delete;
    void setBudget(UndoBudget* budget);

    // A change just made; the steps that could be redone are gone.
    void push(std::unique_ptr<UndoStep> step);
    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < int(steps_.size()); }
    QString undoName() const;
    QString redoName() const;
    bool undo(IMHANDLE im);
    bool redo(IMHANDLE im);
    // Forgets every step (the image was replaced).
    void clear();

    // The position that matches the file; none after the steps that led
    // there were dropped or discarded.
    void markSaved() { saved_ = position_; }
    void forgetSaved() { saved_ = -1; }
    bool atSaved() const { return saved_ == position_; }

    int count() const { return int(steps_.size()); }
    int64_t bytes() const;

  private:
    friend class UndoBudget;
    struct Entry {
        std::unique_ptr<UndoStep> step;
        uint64_t sequence;
    };
    void dropOldest();

    UndoBudget* budget_ = nullptr;
    std::deque<Entry> steps_;
    int position_ = 0; // steps before it are done
    int saved_ = 0;
};

} // namespace qd
