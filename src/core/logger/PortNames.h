#pragma once

#include <string>
#include <string_view>

#include "logger/LoggerSettings.h"

namespace bramble {

// The operator's names of the four classic ports, "COM1" .. "COM4", for the
// 0-based index stored as "ComPort"; empty outside 0..3.
std::string ComPortLabel(int comPort);

// The index 0..3 of "COM1" .. "COM4" (letters in any case, blanks around
// ignored); -1 for any other text.
int ComPortIndexOf(std::string_view text);

// The device of a classic port on this platform: COM1 .. COM4 are the first
// four serial devices, /dev/ttyS0 .. /dev/ttyS3. Empty outside 0..3.
std::string ComPortDevice(int comPort);

// The device the logger opens: "PortName" when it is set, otherwise the
// device of "ComPort". Empty when there is none (the port cannot be opened).
std::string LoggerPortDevice(const LoggerSettings& settings);

}  // namespace bramble
