#include <gtest/gtest.h>

#include "logger/PortNames.h"

using namespace bramble;

TEST(PortNames, ComPortsAreTheFirstFourSerialDevices)
{
    EXPECT_EQ(ComPortDevice(0), "/dev/ttyS0");
    EXPECT_EQ(ComPortDevice(1), "/dev/ttyS1");
    EXPECT_EQ(ComPortDevice(2), "/dev/ttyS2");
    EXPECT_EQ(ComPortDevice(3), "/dev/ttyS3");
    EXPECT_EQ(ComPortDevice(-1), "");
    EXPECT_EQ(ComPortDevice(4), "");
}

TEST(PortNames, LabelsAndTheirIndices)
{
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ComPortLabel(i), "COM" + std::to_string(i + 1));
        EXPECT_EQ(ComPortIndexOf(ComPortLabel(i)), i);
    }
    EXPECT_EQ(ComPortLabel(4), "");
    EXPECT_EQ(ComPortLabel(-1), "");
    EXPECT_EQ(ComPortIndexOf(" com3 "), 2);
    for (const char* other : {"", "COM", "COM0", "COM5", "COM12", "/dev/ttyS0", "ttyUSB0", "CON1"})
        EXPECT_EQ(ComPortIndexOf(other), -1) << other;
}

TEST(PortNames, StoredComPortChoosesTheDeviceWhenNoPortNameIsSet)
{
    LoggerSettings settings;  // a fresh profile: COM2
    EXPECT_EQ(LoggerPortDevice(settings), "/dev/ttyS1");
    settings.comPort = 3;
    EXPECT_EQ(LoggerPortDevice(settings), "/dev/ttyS3");
    settings.comPort = 4;  // outside COM1..COM4: no port to open
    EXPECT_EQ(LoggerPortDevice(settings), "");
    settings.comPort = -1;
    EXPECT_EQ(LoggerPortDevice(settings), "");
}

TEST(PortNames, PortNameOverridesComPort)
{
    LoggerSettings settings;
    settings.comPort = 5;
    settings.portName = "/dev/ttyUSB0";
    EXPECT_EQ(LoggerPortDevice(settings), "/dev/ttyUSB0");
    settings.portName = "  /dev/pts/7 ";
    EXPECT_EQ(LoggerPortDevice(settings), "/dev/pts/7");
    settings.comPort = 0;
    settings.portName = "   ";  // blank counts as not set
    EXPECT_EQ(LoggerPortDevice(settings), "/dev/ttyS0");
}
