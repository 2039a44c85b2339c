#include "reader/parse_error.hpp"

void FatalParseError(const char* description)
{
    throw ParseError(description);
}
