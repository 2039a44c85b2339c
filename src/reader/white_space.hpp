// White space of the data file: tab, line feed, vertical tab, form feed, carriage return, space.
#pragma once

// No byte of 0x80 and above is white space, whatever the locale.
constexpr bool IsWhiteSpace(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}
