// The one way a malformed parameter stops the run.
#pragma once

#include <exception>

// Carries the description printed after "Error: ". Only the run driver catches it.
// The descriptions are string literals, so throwing allocates nothing.
class ParseError : public std::exception {
public:
    explicit ParseError(const char* description) noexcept : description_(description) {}
    const char* what() const noexcept override { return description_; }

private:
    const char* description_;
};

[[noreturn]] void FatalParseError(const char* description);
