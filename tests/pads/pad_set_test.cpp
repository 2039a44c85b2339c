#include "pads/pad_set.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
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
        {"a net ends before the reference begins", {Pad("AB", "C", "1"), Pad("A", "BC", "1")},
         {"A/BC/1@0", "AB/C/1@0"}},
        {"texts that tie in their first 24 bytes differ behind them",
         {Pad("NET_LONGER_THAN_THE_KEY_2", "R", "1"), Pad("NET_LONGER_THAN_THE_KEY_1", "R", "1"),
          Pad("NET_LONGER_THAN_THE_KEY_", "R", "1")},
         {"NET_LONGER_THAN_THE_KEY_/R/1@0", "NET_LONGER_THAN_THE_KEY_1/R/1@0", "NET_LONGER_THAN_THE_KEY_2/R/1@0"}},
        {"pins at the end of the key and behind it",
         {Pad("SIXTEEN_BYTES_NE", "U100", "B2"), Pad("SIXTEEN_BYTES_NE", "U100", "B10"),
          Pad("SIXTEEN_BYTES_NE", "U100", "A\xC4"), Pad("SIXTEEN_BYTES_NE", "U100", "B"),
          Pad("SIXTEEN_BYTES_NE", "U100", "B1")},
         {"SIXTEEN_BYTES_NE/U100/A\xC4@0", "SIXTEEN_BYTES_NE/U100/B@0", "SIXTEEN_BYTES_NE/U100/B1@0",
          "SIXTEEN_BYTES_NE/U100/B10@0", "SIXTEEN_BYTES_NE/U100/B2@0"}},
        {"all three texts in exactly 24 bytes, and longer ones",
         {Pad("NET_FOURTEEN__", "REF_5", "PI1"), Pad("NET_FOURTEEN__", "REF_5", "PI"),
          Pad("NET_FOURTEEN__", "REF_5", "PI00"), Pad("NET_FOURTEEN__", "REF_5", "PI0")},
         {"NET_FOURTEEN__/REF_5/PI@0", "NET_FOURTEEN__/REF_5/PI0@0", "NET_FOURTEEN__/REF_5/PI00@0",
          "NET_FOURTEEN__/REF_5/PI1@0"}},
        {"high bytes in the later key words",
         {Pad("NET_0000_0000_\xFF", "R", "1"), Pad("NET_0000_0000_~", "R", "1"),
          Pad("NET_0000_0000_A", "R\x80", "1"), Pad("NET_0000_0000_A", "R", "1")},
         {"NET_0000_0000_A/R/1@0", "NET_0000_0000_A/R\x80/1@0", "NET_0000_0000_~/R/1@0",
          "NET_0000_0000_\xFF/R/1@0"}},
        {"equal long keys keep their arrival order",
         {Pad("A_NET_NAME_OF_MORE_THAN_24_BYTES", "R", "1", 1), Pad("A_NET_NAME_OF_MORE_THAN_24_BYTES", "R", "1", 2),
          Pad("A_NET_NAME_OF_MORE_THAN_24_BYTE", "R", "1", 3), Pad("A_NET_NAME_OF_MORE_THAN_24_BYTES", "R", "1", 4)},
         {"A_NET_NAME_OF_MORE_THAN_24_BYTE/R/1@3", "A_NET_NAME_OF_MORE_THAN_24_BYTES/R/1@1",
          "A_NET_NAME_OF_MORE_THAN_24_BYTES/R/1@2", "A_NET_NAME_OF_MORE_THAN_24_BYTES/R/1@4"}},
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
    const int count = 200000; // records of several blocks
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

// Keys equal in their first 24 bytes, one of them ending right behind those
// bytes, the others further on: every arrival order must give the one order.
TEST(PadSet, KeysTiedInTheirFirst24BytesInEveryArrivalOrder)
{
    // net (20 bytes and its zero), reference (1 and its zero): the pin begins at byte 23.
    const std::string net(20, 'S');
    std::vector<std::string> pins = {"P", "P0", "P00", "P1", "P\x80"};
    std::sort(pins.begin(), pins.end(), [](const std::string& a, const std::string& b) {
        return std::strcmp(a.c_str(), b.c_str()) < 0;
    });
    const std::vector<std::string> sorted = pins;
    do {
        PadSet pads;
        for (const std::string& pin : pins)
            pads.Insert(Pad(net.c_str(), "R", pin.c_str()));
        std::vector<std::string> visited;
        pads.VisitInOrder([&](const PadRecord& pad) { visited.push_back(pad.pin); });
        EXPECT_EQ(visited, sorted) << "arrival order " << testing::PrintToString(pins);
    } while (std::next_permutation(pins.begin(), pins.end(), [](const std::string& a, const std::string& b) {
        return std::strcmp(a.c_str(), b.c_str()) < 0;
    }));
}

// Each visited record must hold exactly what was inserted: every field, the
// longest texts and every byte value, also when the records fill many blocks.
TEST(PadSet, VisitsExactCopiesOfEveryField)
{
    const double kSpecials[] = {0.0, -0.0, 1e-300, -123.456, std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN(), 1e300};
    std::vector<PadRecord> inserted;
    PadSet pads;
    const int count = 30000; // several blocks of the longest records
    for (int i = 0; i < count; ++i) {
        PadRecord pad;
        pad.layer = static_cast<std::int8_t>(i % 3);
        pad.kind = i % 2 ? PadKind::Through : PadKind::Surface;
        pad.centerX = i;
        pad.centerY = kSpecials[i % 7];
        pad.sizeX = kSpecials[(i + 1) % 7];
        pad.sizeY = -i * 0.001;
        pad.holeDiameter = kSpecials[(i + 3) % 7];
        pad.rotation = kSpecials[(i + 5) % 7];
        // Texts of full length, with bytes 1 to 255; the number of the record in front.
        std::size_t netLength = i % 5 == 0 ? 255 : i % 40;
        std::size_t referenceLength = i % 3 == 0 ? 127 : 1 + i % 10;
        std::size_t pinLength = i % 7 == 0 ? 127 : 1 + i % 4;
        std::snprintf(pad.reference, sizeof pad.reference, "%06d", i);
        for (std::size_t k = 6; k < referenceLength; ++k)
            pad.reference[k] = static_cast<char>(1 + (i + k) % 255);
        pad.reference[std::max<std::size_t>(referenceLength, 6)] = '\0';
        for (std::size_t k = 0; k < pinLength; ++k)
            pad.pin[k] = static_cast<char>(1 + (3 * i + k) % 255);
        pad.pin[pinLength] = '\0';
        for (std::size_t k = 0; k < netLength; ++k)
            pad.net[k] = static_cast<char>(1 + (7 * i + k) % 255);
        pad.net[netLength] = '\0';
        std::memset(pad.net, 'N', std::min<std::size_t>(netLength, 1)); // one net name for all but the empty ones
        pads.Insert(pad);
        inserted.push_back(pad);
    }
    ASSERT_EQ(pads.Size(), static_cast<std::size_t>(count));

    auto sameBits = [](double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    std::vector<bool> seen(count);
    int visited = 0;
    pads.VisitInOrder([&](const PadRecord& pad) {
        int i = static_cast<int>(pad.centerX);
        ASSERT_TRUE(i >= 0 && i < count && !seen[i]) << visited;
        seen[i] = true;
        const PadRecord& expected = inserted[i];
        EXPECT_EQ(pad.layer, expected.layer) << i;
        EXPECT_EQ(pad.kind, expected.kind) << i;
        EXPECT_TRUE(sameBits(pad.centerY, expected.centerY)) << i;
        EXPECT_TRUE(sameBits(pad.sizeX, expected.sizeX)) << i;
        EXPECT_TRUE(sameBits(pad.sizeY, expected.sizeY)) << i;
        EXPECT_TRUE(sameBits(pad.holeDiameter, expected.holeDiameter)) << i;
        EXPECT_TRUE(sameBits(pad.rotation, expected.rotation)) << i;
        EXPECT_STREQ(pad.reference, expected.reference) << i;
        EXPECT_STREQ(pad.pin, expected.pin) << i;
        EXPECT_STREQ(pad.net, expected.net) << i;
        ++visited;
    });
    EXPECT_EQ(visited, count);
}

// The visit against a plain stable sort of the same records, over texts drawn
// from a few bytes so that keys tie often, in and behind their first 24 bytes.
TEST(PadSet, AgreesWithAStableSortOfTheTexts)
{
    std::mt19937 random(20240611);
    const char alphabet[] = {'A', 'B', '_', '\x7F', '\x80', '\xFF'};
    auto text = [&](char* field, std::size_t maxLength) {
        std::size_t length = random() % (maxLength + 1);
        // Long shared beginnings push the differences behind the key.
        std::size_t shared = random() % 2 ? std::min<std::size_t>(length, 20) : 0;
        for (std::size_t k = 0; k < length; ++k)
            field[k] = k < shared ? 'S' : alphabet[random() % sizeof alphabet];
        field[length] = '\0';
    };
    std::vector<PadRecord> inserted;
    PadSet pads;
    for (int i = 0; i < 20000; ++i) {
        PadRecord pad;
        pad.kind = PadKind::Surface;
        text(pad.net, 30);
        text(pad.reference, 4);
        text(pad.pin, 3);
        pad.centerX = i;
        pads.Insert(pad);
        inserted.push_back(pad);
    }
    std::stable_sort(inserted.begin(), inserted.end(), [](const PadRecord& a, const PadRecord& b) {
        if (int c = std::strcmp(a.net, b.net))
            return c < 0;
        if (int c = std::strcmp(a.reference, b.reference))
            return c < 0;
        return std::strcmp(a.pin, b.pin) < 0;
    });
    std::vector<double> expected, visited;
    for (const PadRecord& pad : inserted)
        expected.push_back(pad.centerX);
    pads.VisitInOrder([&](const PadRecord& pad) { visited.push_back(pad.centerX); });
    EXPECT_EQ(visited, expected);
}

} // namespace
