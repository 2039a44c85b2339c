#include "reader/component_section.hpp"

#include "reader/parameter_loop.hpp"
#include "reader/parse_error.hpp"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// The same as strcmp(field, literal) == 0 for a field with room for the literal
// and its zero byte; a compare of a known size needs no call and no strlen.
template <std::size_t FieldSize, std::size_t Size>
bool Equals(const char (&field)[FieldSize], const char (&literal)[Size])
{
    static_assert(Size <= FieldSize);
    return std::memcmp(field, literal, Size) == 0;
}

template <std::size_t Size>
bool NameIs(const ParamValue& param, const char (&name)[Size])
{
    return Equals(param.name, name);
}

// A text never cut short: one too long for its field stops the run.
template <std::size_t Size>
void CopyText(char (&field)[Size], const char* text)
{
    std::size_t length = std::strlen(text);
    if (length >= Size)
        FatalParseError("text parameter");
    std::memcpy(field, text, length + 1);
}

// Scans a numeric list that must hold between minCount and maxCount values.
std::size_t ParseCountedNumbers(ParamValue& param, const char* value, std::uint32_t minCount,
                                std::uint32_t maxCount, const char* countError)
{
    std::size_t consumed = param.ParseNumbers(value);
    if (param.count < minCount || param.count > maxCount)
        FatalParseError(countError);
    return consumed;
}

// type := ("S" "0".."3") | ("T" "0".."3"); T0 and T3 leave the kind as it was.
void ApplyPadType(PadRecord& pad, const char* type)
{
    if ((type[0] != 'S' && type[0] != 'T') || type[1] < '0' || type[1] > '3' || type[2] != '\0')
        FatalParseError("unknown pad type");
    if (type[0] == 'S')
        pad.kind = PadKind::Surface;
    else if (type[1] == '1' || type[1] == '2')
        pad.kind = PadKind::Through;
}

class ComponentReader {
public:
    ComponentReader(InputReader& reader, double defaultUnitScale, PadSet& pads)
        : reader_(reader), param_(reader.param), defaultUnitScale_(defaultUnitScale), pads_(pads)
    {
    }

    void Run()
    {
        while (reader_.ReadRecordLine()) {
            const char* line = reader_.line;
            if (HasKeyword(line, kComponentKeyword)) {
                if (ComponentOpen())
                    FatalParseError("nested components");
                ScanParameters(line, kComponentKeyword.size(), param_,
                               [this](const char* value) { return ComponentParameter(value); });
            } else if (!ComponentOpen()) {
                // Pads outside a component are passed over unread.
            } else if (HasKeyword(line, kEndCompKeyword)) {
                pad_.reference[0] = '\0';
            } else if (HasKeyword(line, kPadKeyword)) {
                ReadPadLine(line);
            }
        }
    }

private:
    // The working record's reference doubles as the open component's.
    bool ComponentOpen() const { return pad_.reference[0] != '\0'; }

    std::size_t ComponentParameter(const char* value)
    {
        if (NameIs(param_, "P1")) {
            std::size_t consumed = param_.ParseTextValue(value);
            CopyText(pad_.reference, param_.text);
            padIndex_ = 0;
            return consumed;
        }
        if (NameIs(param_, "Rotation")) {
            // Checked, then dropped: pads carry their own rotation.
            std::size_t consumed = ParseCountedNumbers(param_, value, 1, 1, "number of rotation values");
            ConvertAngle(param_);
            return consumed;
        }
        return param_.ParseTextValue(value);
    }

    void ReadPadLine(const char* line)
    {
        StartPad();
        ScanParameters(line, kPadKeyword.size(), param_, [this](const char* value) { return PadParameter(value); });
        ++padIndex_;
        if (pad_.kind == PadKind::None)
            return;
        // A netlist coordinate made up for a pad without a centre would be corrupt data.
        if (!hasCenter_)
            FatalParseError("'center' must have 2 values");
        if (pad_.pin[0] == '\0')
            std::snprintf(pad_.pin, sizeof pad_.pin, ".#%.3u", padIndex_);
        RequireWritableValues();
        pads_.Insert(pad_);
    }

    // Every field but the reference starts each pad line afresh.
    void StartPad()
    {
        pad_.layer = kNoCopperLayer;
        pad_.kind = PadKind::None;
        pad_.centerX = pad_.centerY = 0;
        pad_.sizeX = pad_.sizeY = 0;
        pad_.holeDiameter = 0;
        pad_.rotation = 0;
        pad_.pin[0] = '\0';
        pad_.net[0] = '\0';
        hasCenter_ = false;
    }

    std::size_t PadParameter(const char* value)
    {
        if (NameIs(param_, "Layer")) {
            std::size_t consumed = param_.ParseTextValue(value);
            if (Equals(param_.text, "Top Copper"))
                pad_.layer = kTopCopper;
            else if (Equals(param_.text, "Bottom Copper"))
                pad_.layer = kBottomCopper;
            return consumed;
        }
        if (NameIs(param_, "Type")) {
            std::size_t consumed = param_.ParseTextValue(value);
            ApplyPadType(pad_, param_.text);
            return consumed;
        }
        if (NameIs(param_, "Center")) {
            std::size_t consumed = ParseLengths(value, 2, 2, "'center' must have 2 values");
            pad_.centerX = param_.values[0];
            pad_.centerY = param_.values[1];
            hasCenter_ = true;
            return consumed;
        }
        if (NameIs(param_, "Rotation")) {
            std::size_t consumed = ParseCountedNumbers(param_, value, 1, 1, "'rotation' must have 1 value");
            ConvertAngle(param_);
            pad_.rotation = param_.values[0];
            return consumed;
        }
        if (NameIs(param_, "Size")) {
            std::size_t consumed = ParseLengths(value, 1, 2, "'size' must have 1 or 2 values");
            pad_.sizeX = param_.values[0];
            pad_.sizeY = param_.values[param_.count - 1];
            return consumed;
        }
        if (NameIs(param_, "Hole")) {
            std::size_t consumed = ParseLengths(value, 1, 1, "'hole' must have 1 value");
            pad_.holeDiameter = param_.values[0];
            return consumed;
        }
        if (NameIs(param_, "Pin")) {
            std::size_t consumed = param_.ParseTextValue(value);
            CopyText(pad_.pin, param_.text);
            return consumed;
        }
        if (NameIs(param_, "Signal")) {
            std::size_t consumed = param_.ParseTextValue(value);
            CopyText(pad_.net, param_.text);
            return consumed;
        }
        return param_.ParseTextValue(value);
    }

    std::size_t ParseLengths(const char* value, std::uint32_t minCount, std::uint32_t maxCount,
                             const char* countError)
    {
        std::size_t consumed = ParseCountedNumbers(param_, value, minCount, maxCount, countError);
        ConvertLengths(param_, defaultUnitScale_);
        return consumed;
    }

    // The netlist has no form for an infinity or a NaN: refuse a pad that would
    // write one rather than write a record no tester can read.
    void RequireWritableValues() const
    {
        auto writable = [](double millimetres) { return std::isfinite(millimetres * 1000.0); };
        bool holeWritten = pad_.kind == PadKind::Through;
        if (!writable(pad_.centerX) || !writable(pad_.centerY) || !writable(pad_.sizeX) ||
            !writable(pad_.sizeY) || !std::isfinite(pad_.rotation) ||
            (holeWritten && !writable(pad_.holeDiameter)))
            FatalParseError("numeric param");
    }

    InputReader& reader_;
    ParamValue& param_;
    const double defaultUnitScale_;
    PadSet& pads_;
    PadRecord pad_;
    std::uint32_t padIndex_ = 0;
    bool hasCenter_ = false;
};

} // namespace

void ReadComponentSection(InputReader& reader, double defaultUnitScale, PadSet& pads)
{
    ComponentReader(reader, defaultUnitScale, pads).Run();
}
