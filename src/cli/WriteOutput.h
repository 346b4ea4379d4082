#pragma once

#include <ostream>
#include <string>

namespace bramble::cli {

// Writes an output file of `command`. "-" is standard output. A device or a
// pipe (/dev/stdout, a named pipe) is written into directly: there is no
// earlier file to keep, and replacing it by renaming would remove the
// device's name. Everything else goes through WriteFileSafely. On failure
// says why on `err` and returns false.
bool WriteOutput(const std::string& command, const std::string& path, const std::string& bytes, std::ostream& out,
                 std::ostream& err);

// The refusal of an output option given an empty file name: an empty name
// is not standard output ("-" is) and must not pass for "not given".
std::string EmptyOutputNameRefusal(const std::string& option);

}  // namespace bramble::cli
