// Numeric lists with unit marks, and their conversion to millimetres and degrees.
#include "reader/param_value.hpp"
