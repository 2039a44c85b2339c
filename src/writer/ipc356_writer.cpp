#include "writer/ipc356_writer.hpp"

#include "writer/number_field.hpp"

#include <cstring>

namespace {

class RecordBuilder {
public:
    explicit RecordBuilder(char* out) : out_(out) {}

    void Literal(std::string_view text)
    {
        std::memcpy(out_ + length_, text.data(), text.size());
        length_ += text.size();
    }
    // Left-aligned and blank-filled to width; a longer text is written whole.
    void Text(const char* text, std::size_t width)
    {
        std::size_t textLength = std::strlen(text);
        Literal(std::string_view(text, textLength));
        for (; textLength < width; ++textLength)
            out_[length_++] = ' ';
    }
    void Number(double value, int width, bool alwaysSigned = false)
    {
        length_ += FormatWholeNumber(out_ + length_, value, width, alwaysSigned);
    }
    std::size_t Length() const { return length_; }

private:
    char* out_;
    std::size_t length_ = 0;
};

// Millimetres to the thousandths that "UNITS CUST 1" declares.
double ToThousandths(double millimetres)
{
    return millimetres * 1000.0;
}

} // namespace

std::size_t FormatTestRecord(const PadRecord& pad, char* out)
{
    RecordBuilder record(out);
    bool through = pad.kind == PadKind::Through;

    // Operation code, net, reference and pin
    record.Literal(through ? "317" : "327");
    record.Text(pad.net, 14);
    record.Literal("   ");
    record.Text(pad.reference, 6);
    record.Literal("-");
    record.Text(pad.pin, 4);

    // Hole diameter (plated, both sides) or the access side of a surface pad
    if (through) {
        record.Literal(" D");
        record.Number(ToThousandths(pad.holeDiameter), 4);
        record.Literal("PA00");
    } else {
        char access[] = "      PA00";
        access[8] = static_cast<char>('0' + pad.layer / 10);
        access[9] = static_cast<char>('0' + pad.layer % 10);
        record.Literal(access);
    }

    // Centre, size and rotation
    record.Literal("X");
    record.Number(ToThousandths(pad.centerX), 7, true);
    record.Literal("Y");
    record.Number(ToThousandths(pad.centerY), 7, true);
    record.Literal("X");
    record.Number(ToThousandths(pad.sizeX), 4);
    record.Literal("Y");
    record.Number(ToThousandths(pad.sizeY), 4);
    record.Literal("R");
    record.Number(pad.rotation, 3);
    record.Literal(" S0\n");
    return record.Length();
}

void WriteIpc356(TextOutput& output, std::u32string_view fileName, const PadSet& pads)
{
    output.Write("P  JOB\nP  UNITS CUST 1\nP  TITLE Testpoint Report for ");
    for (char32_t c : fileName)
        output.Put(c <= 0xFF ? static_cast<char>(c) : '?');
    output.Write("\nP  VER IPC-D-356A\n");

    char record[kMaxTestRecord];
    pads.VisitInOrder([&](const PadRecord& pad) { output.Write({record, FormatTestRecord(pad, record)}); });

    output.Write("999\n");
}
