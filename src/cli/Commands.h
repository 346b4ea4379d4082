#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace bramble::cli {

using Args = std::vector<std::string>;

// Each command gets its own arguments (without the command name) and
// returns the process exit status. Errors go to `err` with a clear message.
int RunDump(const Args& args, std::ostream& out, std::ostream& err);
int RunTide(const Args& args, std::ostream& out, std::ostream& err);
int RunOceanLoad(const Args& args, std::ostream& out, std::ostream& err);
int RunReduce(const Args& args, std::ostream& out, std::ostream& err);
int RunAdjust(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace bramble::cli
