#pragma once
// The tablet's serial handshake on one COM port.
// True when a tablet answers on "COMn"; ports that are missing or in use give false.
bool ProbeSerialPort(int port);
