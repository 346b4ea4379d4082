#pragma once

#include <string>

namespace bramble {

// The logger's stored settings (section "Settings" of the profile), with
// the defaults that apply when a key is absent.
struct LoggerSettings {
    int comPort = 1;       // "ComPort": 0 = COM1 ... 3 = COM4
    int baudRate = 0;      // "BaudRate": index into the baud table, -1 = typed
    int interval = 1;      // "Interval": polling period in seconds
    std::string portName;  // "PortName": a device path that overrides comPort when not empty
};

}  // namespace bramble
