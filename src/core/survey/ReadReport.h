#pragma once

#include <string>
#include <vector>

namespace bramble {

// What a reader has to say about a file besides the records it loaded.
struct ReadReport {
    bool opened = false;                // false: the file could not be read at all
    int readings = 0;                   // readings loaded
    int skippedLines = 0;               // reading lines that had no header to belong to
    std::vector<std::string> warnings;  // one sentence each, for the operator
};

}  // namespace bramble
