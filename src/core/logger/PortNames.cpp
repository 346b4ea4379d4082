#include "logger/PortNames.h"

#include <cctype>

namespace bramble {
namespace {

constexpr int kComPorts = 4;

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::string ComPortLabel(int comPort)
{
    if (comPort < 0 || comPort >= kComPorts)
        return {};
    return "COM" + std::to_string(comPort + 1);
}

int ComPortIndexOf(std::string_view text)
{
    text = Trimmed(text);
    if (text.size() != 4)
        return -1;
    for (std::size_t i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i])
            return -1;
    const int index = text[3] - '1';
    return index >= 0 && index < kComPorts ? index : -1;
}

std::string ComPortDevice(int comPort)
{
    if (comPort < 0 || comPort >= kComPorts)
        return {};
    return "/dev/ttyS" + std::to_string(comPort);
}

std::string LoggerPortDevice(const LoggerSettings& settings)
{
    const std::string_view name = Trimmed(settings.portName);
    if (!name.empty())
        return std::string(name);
    return ComPortDevice(settings.comPort);
}

}  // namespace bramble
