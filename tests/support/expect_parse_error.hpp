// Asserts that a statement stops the run with exactly the given parse-error description.
#pragma once

#include "reader/parse_error.hpp"

#include <gtest/gtest.h>
#include <string>

#define EXPECT_PARSE_ERROR(statement, description)                                                   \
    do {                                                                                             \
        std::string thrown_description_;                                                             \
        try {                                                                                        \
            statement;                                                                               \
        } catch (const ParseError& error) {                                                          \
            thrown_description_ = error.what();                                                      \
        }                                                                                            \
        EXPECT_EQ(thrown_description_, std::string(description)) << "for: " #statement;              \
    } while (false)
