#pragma once
// Messages of the progress meter control ("ZKMETERCTL").
const char* const kMeterClassName = "ZKMETERCTL";
const unsigned MTM_SETRANGE = 0x400;   // wParam: range, 0 for 100
const unsigned MTM_GETRANGE = 0x401;
const unsigned MTM_SETPOS = 0x402;     // wParam: position, at most the range
const unsigned MTM_GETPOS = 0x403;
