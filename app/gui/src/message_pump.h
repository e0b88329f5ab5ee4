#pragma once
// The pump that long library loops call: it handles pending events once, so
// the windows repaint and Stop can be pressed, and drops close and quit
// requests that arrive meanwhile instead of acting on them mid-operation.

#include <cstdint>

namespace qd {

int32_t pumpMessages();
void installMessagePump();
void removeMessagePump();

} // namespace qd
