// Whole-number fields of a test record: rounded half away from zero, zero-filled to a width.
#pragma once

#include <cstddef>

// The longest field a finite double can give: 309 digits and a sign, with room to spare.
inline constexpr std::size_t kMaxNumberField = 320;

// Rounds on the exact double: 952.5 gives 953, 952.4999999999999 gives 952, -0.5 gives -1.
double RoundHalfAwayFromZero(double value);

// Writes value rounded to a whole number, as "%0<width>.0f" would (or "%+0<width>.0f"
// with alwaysSigned), but halfway values go away from zero. A negative value keeps its
// minus sign even when it rounds to zero. Returns the bytes written to out, which needs
// room for kMaxNumberField bytes.
std::size_t FormatWholeNumber(char* out, double value, int width, bool alwaysSigned);
