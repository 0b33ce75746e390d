#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "installer/device/device_rules.h"

TEST(DeviceRules, TabletUsbIdIsFoundAnywhereInTheInstanceId) {
    EXPECT_TRUE(IsTabletDeviceId("USB\\VID_7A31&PID_0042\\6&1F2E3D&0&2"));
    EXPECT_TRUE(IsTabletDeviceId("HID\\VID_7A31&PID_0042&MI_00\\7&ABC"));
    EXPECT_FALSE(IsTabletDeviceId("USB\\VID_7A31\\1"));           // no product part
    EXPECT_FALSE(IsTabletDeviceId("USB\\VID_7A32&PID_0042\\1"));  // another vendor
    EXPECT_FALSE(IsTabletDeviceId("usb\\vid_7a31&pid_0042\\1"));  // the text is compared exactly
    EXPECT_FALSE(IsTabletDeviceId(""));
    EXPECT_FALSE(IsTabletDeviceId(nullptr));
}

TEST(DeviceRules, HardwareRecordNeedsAllThreeFieldsNonZero) {
    struct Case { unsigned char b20, b21, b22, b23; bool tablet; };
    const Case cases[] = {
        {0x01, 0x00, 1, 1, true},
        {0x00, 0x01, 1, 1, true},    // the 16-bit field is non-zero through its high byte
        {0x00, 0x00, 1, 1, false},
        {0x01, 0x00, 0, 1, false},
        {0x01, 0x00, 1, 0, false},
    };
    for (const Case& c : cases) {
        unsigned char record[HardwareRecordSize];
        memset(record, 0, sizeof record);   // bytes nobody reads do not matter either way
        record[20] = c.b20; record[21] = c.b21; record[22] = c.b22; record[23] = c.b23;
        EXPECT_EQ(c.tablet, HardwareRecordShowsTablet(record, sizeof record))
            << int(c.b20) << " " << int(c.b21) << " " << int(c.b22) << " " << int(c.b23);
    }
    unsigned char full[HardwareRecordSize];
    memset(full, 0xFF, sizeof full);
    EXPECT_FALSE(HardwareRecordShowsTablet(full, HardwareRecordSize - 1));   // too short to hold the fields
    EXPECT_FALSE(HardwareRecordShowsTablet(nullptr, HardwareRecordSize));
}

TEST(DeviceRules, IdentificationIsTheFirstEightCharactersInAnyCase) {
    struct Case { const char* reply; bool tablet; };
    const Case cases[] = {
        {"(ZORVANT", true},
        {"(zorvant PD-100 v1.2", true},       // cut after the 8th character
        {"(ZorVant\r\n", true},
        {"(ZORVAN", false},                    // one short
        {"ZORVANT(", false},
        {" (ZORVANT", false},
        {"(OTHERCO", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.tablet, IsTabletIdentification(c.reply, static_cast<int>(strlen(c.reply)))) << c.reply;
    const char withNul[] = {'(', 'Z', 'O', 'R', '\0', 'A', 'N', 'T'};
    EXPECT_FALSE(IsTabletIdentification(withNul, sizeof withNul));
    EXPECT_FALSE(IsTabletIdentification("(ZORVANT", 5));   // only what was received counts
    EXPECT_FALSE(IsTabletIdentification(nullptr, 8));
}

TEST(DeviceRules, StatusBitsSeventyRejectThePort) {
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ((b & 0x70) != 0, StatusByteRejectsPort(static_cast<unsigned char>(b))) << b;
}

TEST(DeviceRules, PortNamesBeyondNineUseTheDeviceNamespace) {
    EXPECT_EQ(std::string("COM1"), SerialPortName(1).c_str());
    EXPECT_EQ(std::string("COM9"), SerialPortName(9).c_str());
    EXPECT_EQ(std::string("\\\\.\\COM10"), SerialPortName(10).c_str());
    EXPECT_EQ(std::string("\\\\.\\COM16"), SerialPortName(16).c_str());
}

TEST(DeviceRules, ClientStopCommandsByDeviceType) {
    StopCommand stop{};
    ASSERT_TRUE(StopCommandFor(DeviceUsb, stop));
    EXPECT_EQ(std::string("REZUVE.EXE /StopClient"), stop.command);
    EXPECT_EQ(2000u, stop.waitMs);
    ASSERT_TRUE(StopCommandFor(DeviceSerial, stop));
    EXPECT_EQ(std::string("Dralvex.EXE /StopClient"), stop.command);
    EXPECT_EQ(2000u, stop.waitMs);
    EXPECT_FALSE(StopCommandFor(DeviceNone, stop));
    EXPECT_FALSE(StopCommandFor(3, stop));
    EXPECT_FALSE(StopCommandFor(-1, stop));
}

TEST(DeviceRules, ProcessNameMustOccurWithinTheFileName) {
    EXPECT_TRUE(ProcessNameOccursIn("REZUVE.EXE", "C:\\Program Files\\Tablet\\rezuve.exe"));
    EXPECT_TRUE(ProcessNameOccursIn("rezuve.exe", "C:\\TABLET\\REZUVE.EXE"));
    EXPECT_TRUE(ProcessNameOccursIn("pen.exe", "C:\\Tablet\\TouchPen.exe"));   // occurs, need not be the whole name
    EXPECT_FALSE(ProcessNameOccursIn("Dralvex.exe", "C:\\Tablet\\Dralvex.dll"));
    EXPECT_FALSE(ProcessNameOccursIn("C:\\Tablet\\rezuve.exe", "rezuve.exe"));
    EXPECT_FALSE(ProcessNameOccursIn("", "C:\\Tablet\\rezuve.exe"));          // would match every file
    EXPECT_FALSE(ProcessNameOccursIn(nullptr, "x"));
    EXPECT_FALSE(ProcessNameOccursIn("x.exe", nullptr));
}
