#pragma once

// Running an operation: the progress line through the message pump, and
// --time.

#include <string>

#include "operation.h"

namespace qdcli {

struct RunSettings {
    std::string name;
    int rows = 0;          // rows of the input, for the progress line
    bool progress = false; // standard error is a terminal and --quiet not given
    int timedRuns = 0;     // --time N: N timed runs after one warm-up
};

// Runs the operation (several times with --time, keeping the last product)
// and prints the times on standard error.
Product runTimed(const Run& run, const RunSettings& settings);

} // namespace qdcli
