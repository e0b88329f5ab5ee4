#pragma once

#include "qd/grpobj.h"

#include <cstdint>

// Growable list of pointers that it does not own. The palette manager is the
// same list with deletion refused for the built-in entries. The virtual
// operations keep the order of the list's table of operations.
struct QDGraphicList {
    static constexpr int32_t kGrowth = 10;

    QDGraphicList();
    virtual ~QDGraphicList();
    QDGraphicList(const QDGraphicList&) = delete;
    QDGraphicList& operator=(const QDGraphicList&) = delete;

    // False when the first pointer array could not be allocated.
    bool valid() const { return items_ != nullptr; }

    virtual int32_t getCount() const { return count_; }
    virtual void* get(int32_t index) const;
    virtual bool grow();
    // The new count, or 0 when the list could not grow.
    virtual int32_t append(void* item);
    // The new count, or -1 when index is not in 0..count-1.
    virtual int32_t deleteAt(int32_t index);
    virtual int32_t deleteItem(const void* item);

  protected:
    void** items_ = nullptr;
    int32_t count_ = 0;
    int32_t capacity_ = 0;
};
