// Scans one number of a numeric value: its exact extent and its value as the nearest double.
#pragma once

#include <cstddef>

// number := white space* [sign] (decimal | hexadecimal | infinity | not-a-number)
// Scans one number at the start of the zero-terminated text at. Returns the bytes
// consumed, white space in front included, and stores the value; returns 0 and
// leaves value alone when no number stands there. Independent of the C locale.
std::size_t ScanNumber(const char* at, double& value);
