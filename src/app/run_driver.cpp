#include "app/run_driver.hpp"

#include "app/first_line.hpp"
#include "app/output_path.hpp"
#include "pads/pad_set.hpp"
#include "platform/file_name_chars.hpp"
#include "platform/text_input.hpp"
#include "platform/text_output.hpp"
#include "reader/component_section.hpp"
#include "reader/header_section.hpp"
#include "reader/input_reader.hpp"
#include "reader/parse_error.hpp"
#include "writer/ipc356_writer.hpp"

#include <charconv>
#include <memory>
#include <new>
#include <unistd.h>

namespace {

constexpr std::string_view kBanner = "circad2ipc (c) the circad2ipc developers - " __DATE__
                                     " - IPC356 export for CirCAD\n";

void PrintQuoted(Console& console, std::string_view before, std::string_view path)
{
    console.Print(before);
    console.Print("\"");
    console.Print(path);
    console.Print("\"\n");
}

// From the open input to the filled set: the first line, the header section and
// the component section. Gives a run-level failure's status after printing its
// message; a malformed parameter throws ParseError.
std::optional<int> ReadBoard(TextInput& input, Console& console, PadSet& pads)
{
    FileVersion version = CheckFirstLine(input);
    if (version.numbersRead < 2) {
        console.Print("File format error\n");
        return kExitRunEnded;
    }
    if (version.major != 6) {
        char digits[16];
        auto end = std::to_chars(digits, digits + sizeof digits, version.major).ptr;
        console.Print("CIRCAD Version ");
        console.Print(std::string_view(digits, static_cast<std::size_t>(end - digits)));
        console.Print(" - expecting version 6\n");
        return kExitRunEnded;
    }

    // The reader's line buffer is too large for a frame worth keeping small.
    auto reader = std::make_unique<InputReader>(input);
    HeaderSection header = ReadHeaderSection(*reader);
    switch (header.failure) {
    case HeaderFailure::None:
        break;
    case HeaderFailure::WrongFileType:
        console.Print("Expecting CIRCAD PCB file type\n");
        return kExitRunEnded;
    case HeaderFailure::NoDefaultUnit:
        console.Print("Expecting Default Units definition\n");
        return kExitRunEnded;
    }
    ReadComponentSection(*reader, header.defaultUnitScale, pads);
    return std::nullopt;
}

void PrintSuccess(Console& console, std::string_view outputFileName)
{
    console.Print(outputFileName);
    console.Print(" created successfully\n");
}

// The failures that end a run from inside the reader; anything else passes on.
template <typename Run>
int WithRunFailures(Console& console, Run&& run)
{
    try {
        return run();
    } catch (const ParseError& error) {
        console.Print("Error: ");
        console.Print(error.what());
        console.Print("\n");
        return kExitParseError;
    } catch (const std::bad_alloc&) {
        console.Print("Not enough memory\n");
        return kExitOutOfMemory;
    }
}

} // namespace

int RunDriver(std::span<const char* const> args, Console& console)
{
    console.Print(kBanner);
    if (args.size() != 2) {
        console.Print("program requires a CirCAD - PCB filename parameter\n");
        return kExitRunEnded;
    }
    std::string_view argument = args[1];

    return WithRunFailures(console, [&] {
        std::string path;
        path.reserve(argument.size() + 4); // the output path needs at most four bytes more
        path = argument;

        std::optional<TextInput> input = TextInput::Open(path.c_str());
        if (!input) {
            PrintQuoted(console, "Cannot open ", argument);
            return kExitRunEnded;
        }
        PadSet pads;
        try {
            if (auto failed = ReadBoard(*input, console, pads))
                return *failed;
        } catch (const InputReadError&) {
            // Never a netlist of a half-read file.
            PrintQuoted(console, "Cannot read ", argument);
            return kExitRunEnded;
        }
        input.reset();

        DeriveOutputPath(path);
        std::string_view fileName = OutputFileName(path);
        std::u32string titleName = DecodeFileNameChars(fileName);
        std::optional<TextOutput> output = TextOutput::Create(path.c_str());
        if (!output) {
            PrintQuoted(console, "Cannot create ", path);
            return kExitRunEnded;
        }
        // Nothing from here on takes memory, so a failure can only be a write's.
        WriteIpc356(*output, titleName, pads);
        if (!output->Close()) {
            ::unlink(path.c_str()); // never leave a cut-short netlist behind
            PrintQuoted(console, "Cannot write ", path);
            return kExitRunEnded;
        }
        PrintSuccess(console, fileName);
        return kExitRunEnded;
    });
}

int ConvertBytes(std::string_view inputBytes, std::string_view outputFileName, Console& console,
                 std::optional<std::string>& output)
{
    output.reset();
    console.Print(kBanner);
    return WithRunFailures(console, [&] {
        TextInput input = TextInput::FromBytes(inputBytes);
        PadSet pads;
        if (auto failed = ReadBoard(input, console, pads))
            return *failed;
        std::string bytes;
        TextOutput sink = TextOutput::ToBytes(bytes);
        WriteIpc356(sink, DecodeFileNameChars(outputFileName), pads);
        sink.Close();
        output = std::move(bytes);
        PrintSuccess(console, outputFileName);
        return kExitRunEnded;
    });
}
