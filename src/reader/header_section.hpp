// The lines behind the first one, up to where the file type and the default unit are known.
#pragma once

#include "reader/input_reader.hpp"

enum class HeaderFailure {
    None,
    WrongFileType, // "Expecting CIRCAD PCB file type"
    NoDefaultUnit, // "Expecting Default Units definition"
};

struct HeaderSection {
    double defaultUnitScale = 0.0; // millimetres per default unit
    HeaderFailure failure = HeaderFailure::None;
};

// Ends after the line that supplies the second fact, or at the end of the input.
HeaderSection ReadHeaderSection(InputReader& reader);
