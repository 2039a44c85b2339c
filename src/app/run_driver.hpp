// One run: banner, command line, input, header and component sections, netlist, outcome.
#pragma once

#include "platform/console.hpp"

#include <optional>
#include <span>
#include <string>
#include <string_view>

// The exit statuses. Callers rely on 1 for every run-level outcome, success included.
inline constexpr int kExitRunEnded = 1;
inline constexpr int kExitParseError = 2;
inline constexpr int kExitOutOfMemory = 3;

// args holds the program's name and its arguments. Prints the run's messages
// and returns the exit status.
int RunDriver(std::span<const char* const> args, Console& console);

// The same conversion with no file system: the input's bytes in, the output
// file's bytes out (none when the run fails). outputFileName stands for the
// output file's name in the title line and the success message.
int ConvertBytes(std::string_view input, std::string_view outputFileName, Console& console,
                 std::optional<std::string>& output);
