#pragma once

// The help qdcli gives on its operations: what each does and what each of
// its options means, with the default taken when it is left out.

#include <string>

#include "operation.h"

namespace qdcli {

// Usage, the summary, then one line per option the operation accepts.
std::string helpOf(const Operation& op);
// One line per operation: its name and summary.
std::string operationList();
// What an option means to op, with its default; empty when nothing says.
std::string optionMeaning(const Operation& op, const std::string& option);

} // namespace qdcli
