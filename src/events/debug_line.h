// The controller's debug text prints bus events as numbers ("... LIN ... EV:29 ..."); the
// terminal shows the event's name in their place.
#pragma once

#include <string>

#include "common/text.h"

namespace ztv {

// Replaces the event number of the first rule that matches by the event's name, in `lang` for
// the translated names. Returns whether the line was changed; an unknown line stays as it is.
bool rewriteDebugLine(std::string& line, Lang lang);

}  // namespace ztv
