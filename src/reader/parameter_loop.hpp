// Walks a record line's parameters from left to right, each handled whole before the next.
#pragma once

#include "reader/param_value.hpp"

#include <cstddef>

// parameters := parameter { parameter } end-of-text, beginning at line + start.
// For each parameter the name is scanned into value.name, then handle(valueText)
// scans and uses the value and returns the bytes its scan consumed. A line with
// nothing but white space behind its keyword stops the run with "parameter name".
template <typename Handler>
void ScanParameters(const char* line, std::size_t start, ParamValue& value, Handler&& handle)
{
    std::size_t pos = start;
    do {
        pos += value.ParseParamName(line + pos);
        pos += handle(line + pos);
    } while (line[pos] != '\0');
}
