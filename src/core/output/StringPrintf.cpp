#include "output/StringPrintf.h"

#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace bramble {
namespace {

// One conversion, formatted on its own with its own flags, width and precision.
template <class T>
std::string Piece(const std::string& piece, const int* stars, int starCount, T value)
{
    const auto print = [&](char* buffer, std::size_t size) {
        switch (starCount) {
        case 0:
            return std::snprintf(buffer, size, piece.c_str(), value);
        case 1:
            return std::snprintf(buffer, size, piece.c_str(), stars[0], value);
        default:
            return std::snprintf(buffer, size, piece.c_str(), stars[0], stars[1], value);
        }
    };
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    char small[128];
    const int needed = print(small, sizeof small);
    if (needed < 0)
        return {};
    if (static_cast<std::size_t>(needed) < sizeof small)
        return std::string(small, static_cast<std::size_t>(needed));
    // A long station name: format again into a buffer of the exact size.
    std::vector<char> big(static_cast<std::size_t>(needed) + 1);
    print(big.data(), big.size());
#pragma GCC diagnostic pop
    return std::string(big.data(), static_cast<std::size_t>(needed));
}

// True when a printed floating-point number shows a minus sign and no
// non-zero digit before its exponent: a zero with a sign.
bool IsSignedZero(const std::string& text)
{
    if (text.find('-') == std::string::npos)
        return false;
    for (char c : text) {
        if (c == 'e' || c == 'E')
            break;
        if (c >= '1' && c <= '9')
            return false;
    }
    return true;
}

template <class T>
std::string FloatPiece(const std::string& piece, const int* stars, int starCount, T value, bool hex)
{
    std::string text = Piece(piece, stars, starCount, value);
    if (std::isfinite(value) && std::signbit(value) && (hex ? value == 0 : IsSignedZero(text)))
        text = Piece(piece, stars, starCount, static_cast<T>(0));
    return text;
}

bool IsOneOf(char c, const char* set) { return c != '\0' && std::strchr(set, c) != nullptr; }

}  // namespace

std::string StringPrintf(const char* format, ...)
{
    std::va_list args;
    va_start(args, format);
    std::string result;
    const char* p = format;
    while (*p) {
        if (*p != '%') {
            result += *p++;
            continue;
        }
        const char* start = p++;
        if (*p == '%') {
            result += '%';
            ++p;
            continue;
        }
        int stars[2] = {0, 0};
        int starCount = 0;
        while (IsOneOf(*p, "-+ #0'"))
            ++p;
        // A width or precision: digits, or "*" taking its value from the arguments.
        const auto skipWidth = [&] {
            if (*p == '*') {
                stars[starCount++] = va_arg(args, int);
                ++p;
            }
            while (*p >= '0' && *p <= '9')
                ++p;
        };
        skipWidth();
        if (*p == '.') {
            ++p;
            skipWidth();
        }
        std::string length;
        while (IsOneOf(*p, "hlLqjzt"))
            length += *p++;
        const char conversion = *p;
        if (conversion == '\0')
            break;
        ++p;
        const std::string piece(start, p);
        switch (conversion) {
        case 'd':
        case 'i':
        case 'o':
        case 'u':
        case 'x':
        case 'X':
        case 'c':
            if (length == "l")
                result += Piece(piece, stars, starCount, va_arg(args, long));
            else if (length == "ll" || length == "q")
                result += Piece(piece, stars, starCount, va_arg(args, long long));
            else if (length == "z")
                result += Piece(piece, stars, starCount, va_arg(args, std::size_t));
            else if (length == "j")
                result += Piece(piece, stars, starCount, va_arg(args, std::intmax_t));
            else if (length == "t")
                result += Piece(piece, stars, starCount, va_arg(args, std::ptrdiff_t));
            else
                result += Piece(piece, stars, starCount, va_arg(args, int));
            break;
        case 'e':
        case 'E':
        case 'f':
        case 'F':
        case 'g':
        case 'G':
        case 'a':
        case 'A': {
            const bool hex = conversion == 'a' || conversion == 'A';
            if (length == "L")
                result += FloatPiece(piece, stars, starCount, va_arg(args, long double), hex);
            else
                result += FloatPiece(piece, stars, starCount, va_arg(args, double), hex);
            break;
        }
        case 's':
            result += Piece(piece, stars, starCount, va_arg(args, const char*));
            break;
        case 'p':
            result += Piece(piece, stars, starCount, va_arg(args, void*));
            break;
        default:
            result.append(start, p);
            break;  // not a conversion: copied as written
        }
    }
    va_end(args);
    return result;
}

}  // namespace bramble
