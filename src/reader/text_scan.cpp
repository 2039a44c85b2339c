// Scans of parameter names and text values.
#include "reader/param_value.hpp"
