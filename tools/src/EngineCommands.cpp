#include "zam/tools/Command.h"

namespace zam::tools {

std::vector<Command> EngineCommands() { return {}; }

}  // namespace zam::tools
