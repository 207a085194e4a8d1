#pragma once
// What the setup page says about the keys of one configuration before OK: storing stays
// allowed, but a combination given to two antennas reaches only the first of them, and a key
// without any modifier is taken from every program while the configuration is active.

#include <string>
#include <vector>

#include "core/function_config.h"

namespace torvik {

// One line per kind of trouble, in this order; nothing for a deactivated record or keys
// without trouble.
std::vector<std::string> KeyWarnings(const FunctionConfig& record);

}  // namespace torvik
