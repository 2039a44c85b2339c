// What the section readers share for the whole run: the input, the line buffer and the ParamValue.
#pragma once

#include "platform/text_input.hpp"
#include "reader/param_value.hpp"
#include "reader/record_line.hpp"

struct InputReader {
    explicit InputReader(TextInput& source) : input(source) {}

    bool ReadRecordLine() { return ::ReadRecordLine(input, line); }

    TextInput& input;
    char line[kLineBufferSize] = {};
    ParamValue param;
};
