// Everything behind the header: components and their pads, into the pad set.
#pragma once

#include "pads/pad_set.hpp"
#include "reader/input_reader.hpp"

// Reads to the end of the input and inserts a copy of every recorded pad.
void ReadComponentSection(InputReader& reader, double defaultUnitScale, PadSet& pads);
