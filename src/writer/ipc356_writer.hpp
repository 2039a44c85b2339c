// The IPC-D-356A netlist: header block, one 317 or 327 record per pad in pad order, "999".
#pragma once

#include "pads/pad_set.hpp"
#include "platform/text_output.hpp"

#include <cstddef>
#include <string_view>

// Room for the longest record: whole texts and numbers of up to 309 digits.
inline constexpr std::size_t kMaxTestRecord = 4096;

// Formats one test record with its line feed into out (kMaxTestRecord bytes);
// returns its length.
std::size_t FormatTestRecord(const PadRecord& pad, char* out);

// fileName is the output file name; each character up to U+00FF is written as
// its byte, any other as "?".
void WriteIpc356(TextOutput& output, std::u32string_view fileName, const PadSet& pads);
