#include "reader/record_line.hpp"

bool ReadRecordLine(TextInput& input, char (&line)[kLineBufferSize])
{
    std::size_t length = input.ReadLine(line, kLineBufferSize - 1);
    if (length == 0)
        return false;
    line[length] = '\0';
    return true;
}
