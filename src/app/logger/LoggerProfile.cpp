#include "logger/LoggerProfile.h"

#include <QSettings>

namespace bramble {

LoggerSettings LoadLoggerSettings()
{
    const LoggerSettings defaults;
    QSettings profile;
    profile.beginGroup("Settings");
    LoggerSettings s;
    s.comPort = profile.value("ComPort", defaults.comPort).toInt();
    s.baudRate = profile.value("BaudRate", defaults.baudRate).toInt();
    s.interval = profile.value("Interval", defaults.interval).toInt();
    s.portName = profile.value("PortName").toString().toStdString();
    return s;
}

void StoreLoggerSettings(const LoggerSettings& settings)
{
    QSettings profile;
    profile.beginGroup("Settings");
    profile.setValue("ComPort", settings.comPort);
    profile.setValue("BaudRate", settings.baudRate);
    profile.setValue("Interval", settings.interval);
    if (settings.portName.empty())
        profile.remove("PortName");
    else
        profile.setValue("PortName", QString::fromStdString(settings.portName));
}

}  // namespace bramble
