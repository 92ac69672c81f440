#include "zam/tools/Command.h"

namespace zam::tools {

std::vector<Command> SetupCommands() { return {}; }

}  // namespace zam::tools
