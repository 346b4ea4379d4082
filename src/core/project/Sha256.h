#pragma once

#include <string>
#include <string_view>

#include "result/Result.h"

namespace bramble {

// SHA-256 digests as 64 lower-case hexadecimal digits.
std::string Sha256OfBytes(std::string_view bytes);
// The digest of a file's bytes; an error names the file and the reason.
Result<std::string> Sha256OfFile(const std::string& path);

}  // namespace bramble
