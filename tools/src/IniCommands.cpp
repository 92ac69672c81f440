#include "zam/tools/Command.h"

namespace zam::tools {

std::vector<Command> IniCommands() { return {}; }

}  // namespace zam::tools
