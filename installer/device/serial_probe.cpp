#include "installer/device/serial_probe.h"
#include <windows.h>
#include "installer/core/handles.h"
#include "installer/device/device_rules.h"

namespace {
const DWORD QuietErrorMode = 0x8003;   // no critical-error, fault or open-file boxes
const DWORD PurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

class ErrorModeScope {
public:
    ErrorModeScope() : previous_(SetErrorMode(QuietErrorMode)) {}
    ~ErrorModeScope() { SetErrorMode(previous_); }
    ErrorModeScope(const ErrorModeScope&) = delete;
    ErrorModeScope& operator=(const ErrorModeScope&) = delete;
private:
    UINT previous_;
};

void PreparePort(HANDLE port) {
    SetCommMask(port, 0);
    SetupComm(port, 1024, 1024);
    PurgeComm(port, PurgeAll);
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 3;
    timeouts.ReadTotalTimeoutConstant = 200;
    timeouts.WriteTotalTimeoutMultiplier = MAXDWORD;
    timeouts.WriteTotalTimeoutConstant = 200;
    SetCommTimeouts(port, &timeouts);
}

// 9600 baud, 8 data bits, odd parity, 1 stop bit, no flow control of any kind; the
// port's other settings stay as they are.
bool ApplyLineSettings(HANDLE port) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(port, &dcb);
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = ODDPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    return SetCommState(port, &dcb) != 0;
}

bool SendByte(HANDLE port, unsigned char byte) {
    DWORD written = 0;
    return WriteFile(port, &byte, 1, &written, nullptr) && written == 1;
}

DWORD Receive(HANDLE port, unsigned char* buffer, DWORD count) {
    DWORD got = 0;
    if (!ReadFile(port, buffer, count, &got, nullptr)) return 0;
    return got;
}

void DiscardInput(HANDLE port, DWORD ms) {
    unsigned char scratch[4];
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        if (Receive(port, scratch, sizeof scratch) == 0) Sleep(10);
    }
}

bool Handshake(HANDLE port) {
    if (!ApplyLineSettings(port)) return false;
    DiscardInput(port, 250);
    if (!SendByte(port, 0x00) || !SendByte(port, 0x44)) return false;
    DiscardInput(port, 200);

    unsigned char status = 0;
    if (!SendByte(port, 0x77) || Receive(port, &status, 1) == 0) return false;
    if (StatusByteRejectsPort(status)) return false;

    unsigned char reply[20] = {};
    if (!SendByte(port, 0x61) || Receive(port, reply, 5) == 0) return false;
    if (!SendByte(port, 0xB8)) return false;
    DWORD length = Receive(port, reply, sizeof reply);
    if (length == 0) return false;
    if (IsTabletIdentification(reinterpret_cast<const char*>(reply), static_cast<int>(length))) return true;

    unsigned char answer = 0;
    return SendByte(port, 0x05) && Receive(port, &answer, 1) != 0;
}
}  // namespace

bool ProbeSerialPort(int port) {
    ErrorModeScope quiet;
    FileHandle handle(CreateFileA(SerialPortName(port), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) return false;
    PreparePort(handle.get());
    bool found = Handshake(handle.get());
    PurgeComm(handle.get(), PurgeAll);
    return found;
}
