#pragma once
// The message formatter: the conversions of the system's wsprintf ("%%", c, d, i, u, x, X, s
// with the flags "-", "#", "0", a width, a precision and the sizes h, l and I64), written
// into a buffer of a given size. The result is cut to fit and always terminated; nothing is
// written beyond the size. Our own so that the program needs no library the oldest systems
// lack for the counted form.
#include <cstdarg>
#include <cstddef>

// Returns the length written (at most size - 1); 0 and nothing written when size is 0.
size_t FormatText(char* out, size_t size, const char* pattern, va_list args);
