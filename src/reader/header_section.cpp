#include "reader/header_section.hpp"

HeaderSection ReadHeaderSection(InputReader&)
{
    return {}; // the header's lines are not read yet
}
