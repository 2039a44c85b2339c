// Reading lines and scanning their parameters takes no memory: every scan works
// in place on the one line buffer and the one ParamValue.
#include "reader/component_section.hpp"
#include "reader/header_section.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

namespace {

std::size_t allocations = 0;

} // namespace

// Every allocating form of new counts, and each is paired with its own delete, so
// the sanitizer's own operators never see memory of these.
void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    ++allocations;
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& nothrow) noexcept
{
    return operator new(size, nothrow);
}
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

namespace {

TEST(NoAllocation, ReadingAndScanningABoardTakesNoMemory)
{
    std::string board = "File Type: PCB\r\nUnits:: Default: 0.001\"\r\n";
    for (int component = 0; component < 200; ++component) {
        board += "Component:: P1: U" + std::to_string(component) + " Rotation: 90\xB0 Value: \"10k, 1%\"\r\n";
        for (int pad = 0; pad < 20; ++pad)
            board += "Pad:: Layer: \"Top Copper\" Type: T0 Center: 1.5mm,-2\" Size: 60,30 Hole: 0x1p-3 "
                     "Rotation: 0.25 Pin: " + std::to_string(pad) + " Signal: NET_" + std::to_string(pad) + "\r\n";
        board += "EndComp::\r\n";
    }
    TextInput input = TextInput::FromBytes(board);
    InputReader reader(input);
    PadSet pads;

    allocations = 0;
    HeaderSection header = ReadHeaderSection(reader);
    ReadComponentSection(reader, header.defaultUnitScale, pads);
    std::size_t counted = allocations;

    EXPECT_EQ(header.failure, HeaderFailure::None);
    EXPECT_EQ(counted, 0u);
    EXPECT_EQ(pads.Size(), 0u); // T0 pads are read whole and not recorded
}

} // namespace
