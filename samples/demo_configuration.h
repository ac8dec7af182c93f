// The configuration behind samples/demo.ZTV: a small but real car setup that a new user can
// open and read, built here so the sample is always written by the program's own writer.
#pragma once

#include "config/config_state.h"

namespace ztv::samples {

ConfigState demo_configuration();

}  // namespace ztv::samples
