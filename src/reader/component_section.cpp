#include "reader/component_section.hpp"

void ReadComponentSection(InputReader& reader, double, PadSet&)
{
    while (reader.ReadRecordLine()) {
        // components and pads are not read yet
    }
}
