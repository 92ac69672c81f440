#include "zam/tools/Command.h"

namespace zam::tools {

std::vector<Command> DemoCommands() { return {}; }

}  // namespace zam::tools
