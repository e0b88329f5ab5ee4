#include "undo_history.h"

#include <algorithm>

namespace qd {

void UndoBudget::setLimit(int64_t bytes) {
    limit_ = bytes;
    enforce();
}

int64_t UndoBudget::used() const {
    int64_t n = 0;
    for (const CUndoHistory* h : histories_) n += h->bytes();
    return n;
}

void UndoBudget::enforce() {
    while (used() > limit_) {
        CUndoHistory* oldest = nullptr;
        for (CUndoHistory* h : histories_)
            if (!h->steps_.empty() && (!oldest || h->steps_.front().sequence < oldest->steps_.front().sequence))
                oldest = h;
        if (!oldest) return;
        oldest->dropOldest();
    }
}

CUndoHistory::CUndoHistory(UndoBudget* budget) { setBudget(budget); }

CUndoHistory::~CUndoHistory() { setBudget(nullptr); }

void CUndoHistory::setBudget(UndoBudget* budget) {
    if (budget_) std::erase(budget_->histories_, this);
    budget_ = budget;
    if (budget_) budget_->histories_.push_back(this);
}

void CUndoHistory::push(std::unique_ptr<UndoStep> step) {
    steps_.erase(steps_.begin() + position_, steps_.end());
    if (saved_ > position_) saved_ = -1; // the saved state was among the steps undone
    steps_.push_back({std::move(step), budget_ ? budget_->nextSequence() : 0});
    ++position_;
    if (budget_) budget_->enforce();
}

QString CUndoHistory::undoName() const { return canUndo() ? steps_[size_t(position_ - 1)].step->name() : QString(); }

QString CUndoHistory::redoName() const { return canRedo() ? steps_[size_t(position_)].step->name() : QString(); }

bool CUndoHistory::undo(IMHANDLE im) {
    if (!canUndo()) return false;
    steps_[size_t(--position_)].step->undo(im);
    return true;
}

bool CUndoHistory::redo(IMHANDLE im) {
    if (!canRedo()) return false;
    steps_[size_t(position_++)].step->redo(im);
    return true;
}

void CUndoHistory::clear() {
    steps_.clear();
    position_ = 0;
    saved_ = -1;
}

int64_t CUndoHistory::bytes() const {
    int64_t n = 0;
    for (const Entry& e : steps_) n += e.step->bytes();
    return n;
}

void CUndoHistory::dropOldest() {
    if (position_ == 0) {
        // Only steps to redo: without the first none of them can be made.
        steps_.clear();
        if (saved_ != 0) saved_ = -1;
        return;
    }
    steps_.pop_front();
    --position_;
    // The state before the dropped step cannot be reached any more.
    saved_ = saved_ > 0 ? saved_ - 1 : -1;
}

} // namespace qd
