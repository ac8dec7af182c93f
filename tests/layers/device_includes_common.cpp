// Compiled as a file of the device library: `common` is below it, so this builds.
#include "common/hex.h"
