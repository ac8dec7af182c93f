// Compiled as a file of the device library: `config` is not in its row of the layer table, so
// this must not build.
#include "config/record.h"
