// Writes a synthetic CirCAD v6 PCB data file for the benchmarks, the same bytes
// for the same arguments.
//
//   generate_board PADS SEED [all-t0] > board.pcb
//
// Components hold 2 to 64 pads: two-pin passives, three-pin transistors,
// integrated circuits and connectors. Pads are surface and through pads on
// quoted copper layers, with lengths in the default unit, in mm and in inches,
// rotations in turns and in degrees, spread over 20,000 nets of which the
// supply nets take the most pads. Lines end in CR LF, as the design program
// writes them. With all-t0 every pad is of type T0: each line is read and
// parsed, but no pad is recorded, which measures the reader alone.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr std::uint32_t kNets = 20000;

// splitmix64: small, fast and the same everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(Next() % bound); }
    bool Percent(std::uint32_t percent) { return Below(100) < percent; }

private:
    std::uint64_t state_;
};

// Net names in the styles boards carry: supplies, plain numbered nets,
// hierarchical bus names and names made from a pad.
std::string NetName(std::uint32_t index)
{
    static const char* const kSupplies[] = {"GND", "+3V3", "VCC", "+5V", "+1V8", "AGND", "VBAT", "+12V"};
    char name[64];
    if (index < 8)
        return kSupplies[index];
    switch (index % 4) {
    case 0:
        std::snprintf(name, sizeof name, "N%05" PRIu32, index);
        break;
    case 1:
        std::snprintf(name, sizeof name, "/BUS%" PRIu32 "/D%" PRIu32, index / 64 % 100, index % 64);
        break;
    case 2:
        std::snprintf(name, sizeof name, "SIG_%" PRIu32, index);
        break;
    default:
        std::snprintf(name, sizeof name, "Net-(R%" PRIu32 "-Pad%" PRIu32 ")", index / 3, index % 3 + 1);
        break;
    }
    return name;
}

// One output line, built in place.
class LineText {
public:
    LineText& operator<<(const char* text)
    {
        std::size_t n = std::strlen(text);
        std::memcpy(text_ + length_, text, n);
        length_ += n;
        return *this;
    }
    LineText& operator<<(std::uint32_t number)
    {
        length_ += static_cast<std::size_t>(std::snprintf(text_ + length_, 16, "%" PRIu32, number));
        return *this;
    }
    LineText& operator<<(char c)
    {
        text_[length_++] = c;
        return *this;
    }
    void Clear() { length_ = 0; }
    // Writes the line with CR LF, as the design program writes it.
    void Emit()
    {
        text_[length_++] = '\r';
        text_[length_++] = '\n';
        std::fwrite(text_, 1, length_, stdout);
        length_ = 0;
    }

private:
    char text_[512];
    std::size_t length_ = 0;
};

class Board {
public:
    Board(std::uint64_t seed, bool allT0) : random_(seed), allT0_(allT0)
    {
        for (std::uint32_t i = 0; i < kNets; ++i)
            nets_[i] = NetName(i);
    }

    void Header()
    {
        Emit("Contents: CIRCAD Version 6.0 Data File.");
        Emit("File Type: PCB");
        Emit("Units:: Default: 0.001\"");
    }

    // One component of the given number of pads.
    void Component(std::uint32_t pads)
    {
        const char* prefix;
        bool through = false;
        bool gridPins = false; // BGA-style pin names: A1 .. A16, B1 ..
        if (pads == 2) {
            prefix = random_.Percent(50) ? "R" : "C";
        } else if (pads == 3) {
            prefix = "Q";
        } else if (random_.Percent(25)) {
            prefix = "J";
            through = true;
        } else {
            prefix = "U";
            through = random_.Percent(20);
            gridPins = !through && pads > 32;
        }
        unit_ = random_.Below(100);
        std::uint32_t number = ++references_[prefix[0] - 'A'];

        line_ << "Component:: P1: " << prefix << number;
        if (random_.Percent(50))
            line_ << " P2: " << Value(prefix[0]);
        line_ << " Rotation: " << (random_.Percent(70) ? Turns() : Degrees());
        line_.Emit();

        std::uint32_t x0 = 1000 + random_.Below(8000);
        std::uint32_t y0 = 1000 + random_.Below(6000);
        for (std::uint32_t pin = 1; pin <= pads; ++pin)
            Pad(pin, x0 + (pin - 1) % 16 * 100, y0 + (pin - 1) / 16 * 100, through, gridPins);
        Emit("EndComp::");
    }

    void Finish() { std::fflush(stdout); }

private:
    void Emit(const char* text)
    {
        line_ << text;
        line_.Emit();
    }

    const char* Value(char prefix)
    {
        static const char* const kValues[] = {"10k", "100n", "4k7", "1u", "BC847", "74HC00", "STM32F4"};
        return kValues[(static_cast<std::uint32_t>(prefix) + random_.Below(3)) % 7];
    }

    const char* Turns()
    {
        static const char* const kTurns[] = {"0", "0.25", "0.5", "0.75", "0.125"};
        return kTurns[random_.Below(5)];
    }

    const char* Degrees()
    {
        static const char* const kDegrees[] = {"0\xB0", "90\xB0", "180\xB0", "270\xB0", "45\xB0"};
        return kDegrees[random_.Below(5)];
    }

    // A length of `units` thousandths of an inch, in the component's unit style.
    void Length(std::uint32_t units)
    {
        char text[32];
        if (unit_ < 60)
            std::snprintf(text, sizeof text, "%" PRIu32, units);
        else if (unit_ < 85)
            std::snprintf(text, sizeof text, "%.4fmm", units * 0.0254);
        else
            std::snprintf(text, sizeof text, "%.3f\"", units * 0.001);
        line_ << text;
    }

    std::uint32_t Net()
    {
        std::uint32_t roll = random_.Below(100);
        if (roll < 12)
            return 0; // GND
        if (roll < 18)
            return 1 + random_.Below(7);
        return 8 + random_.Below(kNets - 8);
    }

    void Pad(std::uint32_t pin, std::uint32_t x, std::uint32_t y, bool through, bool gridPins)
    {
        line_ << "Pad::";
        if (!through || random_.Percent(50))
            line_ << (random_.Percent(80) ? " Layer: \"Top Copper\"" : " Layer: \"Bottom Copper\"");
        line_ << " Type: ";
        if (allT0_)
            line_ << "T0";
        else if (through)
            line_ << (random_.Percent(90) ? "T1" : "T2");
        else
            line_ << 'S' << (random_.Percent(80) ? 1 : random_.Below(4));
        line_ << " Center: ";
        Length(x);
        line_ << ',';
        Length(y);
        if (through) {
            std::uint32_t size = 50 + 10 * random_.Below(4);
            line_ << " Size: ";
            Length(size);
            line_ << " Hole: ";
            Length(size - 20);
        } else {
            line_ << " Size: ";
            Length(20 + 10 * random_.Below(6));
            line_ << ',';
            Length(20 + 10 * random_.Below(4));
        }
        if (random_.Percent(30))
            line_ << " Rotation: " << (random_.Percent(50) ? Turns() : Degrees());
        if (!random_.Percent(5)) {
            line_ << " Pin: ";
            if (gridPins)
                line_ << static_cast<char>('A' + (pin - 1) / 16) << (pin - 1) % 16 + 1;
            else
                line_ << pin;
        }
        if (!random_.Percent(2))
            line_ << " Signal: " << nets_[Net()].c_str();
        // A numeric list must end right at the line end (a text takes its
        // trailing blanks along), so nothing follows the last value.
        line_.Emit();
    }

    Random random_;
    bool allT0_;
    LineText line_;
    std::string nets_[kNets];
    std::uint32_t unit_ = 0;
    std::uint32_t references_[26] = {};
};

// Pads per component: mostly two-pin passives, some transistors, and
// integrated circuits and connectors of 4 to 64 pins.
std::uint32_t PadsOfNextComponent(Random& random)
{
    std::uint32_t roll = random.Below(100);
    if (roll < 60)
        return 2;
    if (roll < 70)
        return 3;
    return 4 + random.Below(61);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4 || (argc == 4 && std::strcmp(argv[3], "all-t0") != 0)) {
        std::fprintf(stderr, "usage: generate_board PADS SEED [all-t0] > board.pcb\n");
        return 2;
    }
    std::uint64_t pads = std::strtoull(argv[1], nullptr, 10);
    std::uint64_t seed = std::strtoull(argv[2], nullptr, 10);
    static char buffer[1 << 20];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);

    Random sizes(seed ^ 0x5EED5EED5EED5EEDull);
    static Board board(seed, argc == 4);
    board.Header();
    for (std::uint64_t written = 0; written < pads;) {
        std::uint64_t n = PadsOfNextComponent(sizes);
        if (n > pads - written)
            n = pads - written;
        // The last component may be cut down to fewer than 2 pads only when one pad is left.
        board.Component(static_cast<std::uint32_t>(n));
        written += n;
    }
    board.Finish();
    return 0;
}
