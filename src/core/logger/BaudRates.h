#pragma once

namespace bramble {

// The logger's baud table: index 0..9 gives 110, 300, 600, 1200, 2400,
// 4800, 9600, 19200, 38400, 57600; every other index (-1 for a rate typed
// into the settings dialog, 10 and above) gives 115200.
int BaudRateForIndex(int index);

// Whether `baud` is one of the eleven rates the logger opens a port with.
bool IsLoggerBaudRate(int baud);

}  // namespace bramble
