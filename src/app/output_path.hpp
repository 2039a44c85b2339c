// The output path beside the input and the file name the netlist's title carries.
#pragma once

#include <string>
#include <string_view>

// A final ".pcb", in any case of its letters, becomes ".ipc"; any other path gets
// ".ipc" appended. The path is changed in place.
void DeriveOutputPath(std::string& path);

// The part of the output path behind its last backslash, or the whole path.
// Only the backslash separates.
std::string_view OutputFileName(std::string_view outputPath);
