#include "writer/ipc356_writer.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct PadFields {
    PadKind kind;
    std::int8_t layer;
    const char* net;
    const char* reference;
    const char* pin;
    double centerX, centerY, sizeX, sizeY, holeDiameter, rotation;
};

PadRecord MakePad(const PadFields& f)
{
    PadRecord pad;
    pad.kind = f.kind;
    pad.layer = f.layer;
    std::strcpy(pad.net, f.net);
    std::strcpy(pad.reference, f.reference);
    std::strcpy(pad.pin, f.pin);
    pad.centerX = f.centerX;
    pad.centerY = f.centerY;
    pad.sizeX = f.sizeX;
    pad.sizeY = f.sizeY;
    pad.holeDiameter = f.holeDiameter;
    pad.rotation = f.rotation;
    return pad;
}

std::string Format(const PadRecord& pad)
{
    char record[kMaxTestRecord];
    return std::string(record, FormatTestRecord(pad, record));
}

struct WorkedRecord {
    PadFields pad;
    std::string_view line;
};

// Columns: code 1-3, net 4-17, reference 21-26, pin 28-31, hole or access 32-41,
// x 42-49, y 50-57, size 58-67, rotation 68-71, solder mask 73-74.
const WorkedRecord kWorkedRecords[] = {
    {{PadKind::Through, 0, "GND", "U1", "1", 12.7, -3.175, 1.524, 1.524, 0.8, 90},
     "317GND              U1    -1    D0800PA00X+012700Y-003175X1524Y1524R090 S0"},
    {{PadKind::Surface, 1, "VCC", "C12", "2", 25.4, 10.16, 1.27, 0.635, 0, 0},
     "327VCC              C12   -2         PA01X+025400Y+010160X1270Y0635R000 S0"},
    // A value rounding to zero keeps its minus sign; 1234.5 goes up.
    {{PadKind::Surface, 2, "SDA", "U7", "14", -0.0001, 0, 0.3, 1.2345, 0, -90},
     "327SDA              U7    -14        PA02X-000000Y+000000X0300Y1235R-90 S0"},
    // A long net moves every later column; the rotation is not brought into range.
    {{PadKind::Through, 0, "VERY_LONG_NET_NAME", "J100", "A12", 100, -50.8, 12.5, 10, 0, 359.5},
     "317VERY_LONG_NET_NAME   J100  -A12  D0000PA00X+100000Y-050800X12500Y10000R360 S0"},
    // 952.5 goes up; 0.0375 inch is 952.4999999999999 thousandths and goes down.
    {{PadKind::Surface, 0, "", "R5", ".#003", 1000.5, 0.0005, 0.9525, 0.0375 * 25.4, 0, 450},
     "327                 R5    -.#003      PA00X+1000500Y+000001X0953Y0952R450 S0"},
    {{PadKind::Through, 0, "N1", "C1", "2", -0.0005, -0.0, 1, 1, 1, -5},
     "317N1               C1    -2    D1000PA00X-000001Y-000000X1000Y1000R-05 S0"},
};

TEST(TestRecord, WorkedRecordsComeOutByteForByte)
{
    for (const WorkedRecord& worked : kWorkedRecords) {
        SCOPED_TRACE(worked.line);
        EXPECT_EQ(Format(MakePad(worked.pad)), std::string(worked.line) + "\n");
    }
}

TEST(TestRecord, ThroughRecordNeverCarriesTheLayerNorSurfaceTheHole)
{
    PadRecord pad = MakePad({PadKind::Through, 2, "N", "R1", "1", 0, 0, 1, 1, 0.5, 0});
    EXPECT_EQ(Format(pad), "317N                R1    -1    D0500PA00X+000000Y+000000X1000Y1000R000 S0\n");
    pad.kind = PadKind::Surface;
    EXPECT_EQ(Format(pad), "327N                R1    -1         PA02X+000000Y+000000X1000Y1000R000 S0\n");
}

TEST(TestRecord, LongestTextsAndNumbersAreWrittenWhole)
{
    PadRecord pad = MakePad({PadKind::Through, 0, "", "", "", 1e300, -1e300, 1e300, 1e300, 1e300, 1e300});
    std::memset(pad.net, 'N', 255);
    std::memset(pad.reference, 'R', 127);
    std::memset(pad.pin, 'P', 127);
    std::string line = Format(pad);
    EXPECT_EQ(line.substr(0, 3 + 255 + 3), "317" + std::string(255, 'N') + "   ");
    // Whole numbers print exactly; printf serves as the oracle for a 301-digit one.
    char coordinate[400];
    std::snprintf(coordinate, sizeof coordinate, "Y%+07.0f", -1e300 * 1000.0);
    EXPECT_NE(line.find(coordinate), std::string::npos);
    EXPECT_EQ(line.back(), '\n');
}

std::string WriteToBytes(const PadSet& pads, std::u32string_view fileName)
{
    std::string bytes;
    TextOutput output = TextOutput::ToBytes(bytes);
    WriteIpc356(output, fileName, pads);
    EXPECT_TRUE(output.Close());
    return bytes;
}

TEST(WriteIpc356, EmptySetGivesHeaderAndEndRecord)
{
    EXPECT_EQ(WriteToBytes(PadSet(), U"board.ipc"),
              "P  JOB\r\nP  UNITS CUST 1\r\nP  TITLE Testpoint Report for board.ipc\r\n"
              "P  VER IPC-D-356A\r\n999\r\n");
}

TEST(WriteIpc356, TitleWritesEachCharacterAsOneByte)
{
    std::string bytes = WriteToBytes(PadSet(), U"\u00e9\u20ac.ipc");
    EXPECT_NE(bytes.find("Testpoint Report for \xE9?.ipc\r\n"), std::string::npos);
}

TEST(WriteIpc356, RecordsComeInPadOrderWithCrLf)
{
    PadSet pads;
    pads.Insert(MakePad({PadKind::Surface, 1, "VCC", "C12", "2", 25.4, 10.16, 1.27, 0.635, 0, 0}));
    pads.Insert(MakePad({PadKind::Through, 0, "GND", "U1", "1", 12.7, -3.175, 1.524, 1.524, 0.8, 90}));
    EXPECT_EQ(WriteToBytes(pads, U"b.ipc"),
              "P  JOB\r\nP  UNITS CUST 1\r\nP  TITLE Testpoint Report for b.ipc\r\nP  VER IPC-D-356A\r\n"
              "317GND              U1    -1    D0800PA00X+012700Y-003175X1524Y1524R090 S0\r\n"
              "327VCC              C12   -2         PA01X+025400Y+010160X1270Y0635R000 S0\r\n"
              "999\r\n");
}

} // namespace
