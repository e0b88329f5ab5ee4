#include "qd/grpobj.h"
