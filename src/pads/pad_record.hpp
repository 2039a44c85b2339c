// The fixed-size record of one pad, as the reader fills it and the writer writes it.
#pragma once

#include <cstdint>

enum class PadKind : std::uint8_t {
    None,    // not recorded
    Surface,
    Through,
};

inline constexpr std::int8_t kNoCopperLayer = 0;
inline constexpr std::int8_t kTopCopper = 1;
inline constexpr std::int8_t kBottomCopper = 2;

// Texts are zero-terminated bytes as read; bytes behind the terminator mean nothing.
struct PadRecord {
    std::int8_t layer = kNoCopperLayer;
    PadKind kind = PadKind::None;
    double centerX = 0;      // millimetres
    double centerY = 0;      // millimetres
    double sizeX = 0;        // millimetres
    double sizeY = 0;        // millimetres
    double holeDiameter = 0; // millimetres
    double rotation = 0;     // degrees
    char reference[128] = {};
    char pin[128] = {};
    char net[256] = {};
};
