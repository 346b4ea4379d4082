#pragma once

#include "logger/LoggerSettings.h"

namespace bramble {

// The logger's settings in the application profile, section "Settings":
// "ComPort", "BaudRate", "Interval" and "PortName"; absent keys give the
// defaults of LoggerSettings.
LoggerSettings LoadLoggerSettings();

// Stores all four keys; an empty port name removes "PortName", so that
// "ComPort" chooses the port again.
void StoreLoggerSettings(const LoggerSettings& settings);

}  // namespace bramble
