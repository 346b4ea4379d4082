#pragma once

#include <optional>
#include <string>

#include "survey/AliodHeaderTexts.h"

namespace bramble {

// The typed Aliod header values that must be numbers, in the order the
// header dialog shows them.
enum class AliodHeaderField { serialNumber, avgLatitude, avgLongitude, operTemp };

struct AliodHeaderFault {
    AliodHeaderField field;
    std::string text;  // "the header's latitude \"46,52\" is not a number"
};

// The serial number, the coordinates (latitude within ±90, longitude
// within ±360 degrees) and the operating temperature must each be one
// number; "46,52" or "north" is not. A blank text reads as 0 where
// `blankAllowed`; the header dialog refuses it. Empty when all can be used.
std::optional<AliodHeaderFault> CheckAliodHeaderTexts(const AliodHeaderTexts& texts, bool blankAllowed);

}  // namespace bramble
