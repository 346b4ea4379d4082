#pragma once

#include <string>
#include <string_view>

#include "result/Result.h"

namespace bramble {

// Writes bytes to path so that the file is either wholly the new content or
// left as it was: the bytes go to a temporary file in the target's folder,
// which is flushed to disk and then renamed over the target. On any failure
// the temporary file is removed and an existing file at path is untouched.
// An existing file that the user may not write is refused, as an ordinary
// overwrite would refuse it.
// A file that is replaced keeps its permission bits; a new one gets the
// usual ones (0666 less the umask). A symbolic link at path is replaced by
// the new file, not followed.
// Fails with an error for the operator that names the file and the reason
// ("Permission denied", "No space left on device").
Outcome WriteFileSafely(const std::string& path, std::string_view bytes);

}  // namespace bramble
