/* A library with a name but nothing to run. */
#include <qd/plugin.h>

const char* PlugInName(void) { return "Nothing to run"; }
