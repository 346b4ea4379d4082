#pragma once

#include "result/Result.h"

namespace bramble {

// What a reader loaded from a file it could open.
struct ReadCounts {
    int readings = 0;      // readings loaded
    int skippedLines = 0;  // reading lines that had no header to belong to
};

// A reader's outcome. Without a value the file could not be opened (the
// error "File not valid"). A file refused whole has counts of 0 and an error
// saying why; otherwise the warnings name the lines and blocks left out.
using ReadReport = Result<ReadCounts>;

}  // namespace bramble
