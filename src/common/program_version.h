// The program version. It is the project version of the build (top CMakeLists.txt), which
// writes the definition, so the number exists in one place only.
#pragma once

namespace ztv {

extern const char kProgramVersionText[];

}  // namespace ztv
