#include "pads/pad_set.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

PadRecord Pad(const char* net, const char* reference, const char* pin, double centerX = 0)
{
    PadRecord pad;
    pad.kind = PadKind::Surface;
    std::strcpy(pad.net, net);
    std::strcpy(pad.reference, reference);
    std::strcpy(pad.pin, pin);
    pad.centerX = centerX;
    return pad;
}

// Each visited record as "net/reference/pin@centerX".
std::vector<std::string> Visit(const PadSet& pads)
{
    std::vector<std::string> seen;
    pads.VisitInOrder([&](const PadRecord& pad) {
        seen.push_back(std::string(pad.net) + "/" + pad.reference + "/" + pad.pin + "@" +
                       std::to_string(static_cast<int>(pad.centerX)));
    });
    return seen;
}

TEST(PadSet, EmptySetYieldsNothing)
{
    EXPECT_TRUE(Visit(PadSet()).empty());
}

TEST(PadSet, OrdersByNetThenReferenceThenPinAsUnsignedBytes)
{
    struct Case {
        const char* name;
        std::vector<PadRecord> inserted; // in the order of insertion
        std::vector<std::string> visited;
    };
    const Case cases[] = {
        {"empty net first", {Pad("A", "R1", "1"), Pad("", "R1", "1")}, {"/R1/1@0", "A/R1/1@0"}},
        {"upper case before lower case",
         {Pad("gnd", "R1", "1"), Pad("VCC", "R1", "1"), Pad("GND", "R1", "1")},
         {"GND/R1/1@0", "VCC/R1/1@0", "gnd/R1/1@0"}},
        {"digits as characters", {Pad("N", "R2", "1"), Pad("N", "R10", "1"), Pad("N", "R1", "2"), Pad("N", "R1", "10")},
         {"N/R1/10@0", "N/R1/2@0", "N/R10/1@0", "N/R2/1@0"}},
        {"a beginning comes first", {Pad("GNDA", "R", "1"), Pad("GND1", "R", "1"), Pad("GND", "R", "1")},
         {"GND/R/1@0", "GND1/R/1@0", "GNDA/R/1@0"}},
        {"generated pins before digits and letters", {Pad("N", "R", "A"), Pad("N", "R", "1"), Pad("N", "R", ".#001")},
         {"N/R/.#001@0", "N/R/1@0", "N/R/A@0"}},
        {"high bytes after every 7-bit byte", {Pad("\xB5V", "R", "1"), Pad("zz", "R", "1"), Pad("~", "R", "1")},
         {"zz/R/1@0", "~/R/1@0", "\xB5V/R/1@0"}},
        {"long nets differing behind the first eight bytes",
         {Pad("NET_0000B", "R", "1"), Pad("NET_0000A", "R", "1"), Pad("NET_0000", "R", "1")},
         {"NET_0000/R/1@0", "NET_0000A/R/1@0", "NET_0000B/R/1@0"}},
        {"net decides before reference", {Pad("B", "A", "1"), Pad("A", "B", "1")}, {"A/B/1@0", "B/A/1@0"}},
        {"equal keys keep their arrival order, a later smaller key goes first",
         {Pad("N", "R", "1", 1), Pad("N", "R", "1", 2), Pad("M", "R", "1", 3), Pad("N", "R", "1", 4)},
         {"M/R/1@3", "N/R/1@1", "N/R/1@2", "N/R/1@4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PadSet pads;
        for (const PadRecord& pad : c.inserted)
            pads.Insert(pad);
        EXPECT_EQ(Visit(pads), c.visited);
    }
}

TEST(PadSet, KeepsCopiesAndEqualKeysAcrossManyBlocks)
{
    PadSet pads;
    PadRecord working = Pad("N", "R", "1");
    const int count = 10000; // more than one block of records
    for (int i = 0; i < count; ++i) {
        working.centerX = count - 1 - i;
        std::strcpy(working.net, i % 2 ? "B" : "A");
        pads.Insert(working);
    }
    std::strcpy(working.net, "changed after insertion");
    int visited = 0;
    double lastA = -1, lastB = -1;
    pads.VisitInOrder([&](const PadRecord& pad) {
        bool isA = std::strcmp(pad.net, "A") == 0;
        EXPECT_EQ(isA, visited < count / 2) << visited;
        double& last = isA ? lastA : lastB;
        EXPECT_TRUE(last < 0 || pad.centerX < last) << "arrival order lost at " << visited;
        last = pad.centerX;
        ++visited;
    });
    EXPECT_EQ(visited, count);
}

} // namespace
