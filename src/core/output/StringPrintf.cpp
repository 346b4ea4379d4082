#include "output/StringPrintf.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace bramble {

std::string StringPrintf(const char* format, ...)
{
    char small[128];
    std::va_list args;
    va_start(args, format);
    std::va_list again;
    va_copy(again, args);
    const int needed = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string result;
    if (needed < 0) {
        va_end(again);
        return result;
    }
    if (static_cast<std::size_t>(needed) < sizeof small) {
        result.assign(small, static_cast<std::size_t>(needed));
    } else {
        // A long station name: format again into a buffer of the exact size.
        std::vector<char> big(static_cast<std::size_t>(needed) + 1);
        std::vsnprintf(big.data(), big.size(), format, again);
        result.assign(big.data(), static_cast<std::size_t>(needed));
    }
    va_end(again);
    return result;
}

}  // namespace bramble
