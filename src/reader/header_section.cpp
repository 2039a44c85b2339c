#include "reader/header_section.hpp"

#include "reader/parameter_loop.hpp"
#include "reader/parse_error.hpp"
#include "reader/white_space.hpp"

#include <cstring>

namespace {

enum class FileTypeLine { No, Pcb, OtherType };

// file-type-line := "File" white space* "Type:" white space* word, the word at most
// 255 bytes; anything behind the word is not read.
FileTypeLine MatchFileTypeLine(const char* line)
{
    if (std::strncmp(line, "File", 4) != 0)
        return FileTypeLine::No;
    const char* at = line + 4;
    while (IsWhiteSpace(*at))
        ++at;
    if (std::strncmp(at, "Type:", 5) != 0)
        return FileTypeLine::No;
    at += 5;
    while (IsWhiteSpace(*at))
        ++at;
    const char* word = at;
    while (*at != '\0' && !IsWhiteSpace(*at))
        ++at;
    std::size_t length = static_cast<std::size_t>(at - word);
    if (length == 0 || length > 255)
        return FileTypeLine::No;
    return length == 3 && std::strncmp(word, "PCB", 3) == 0 ? FileTypeLine::Pcb : FileTypeLine::OtherType;
}

} // namespace

HeaderSection ReadHeaderSection(InputReader& reader)
{
    HeaderSection header;
    bool fileTypeNeeded = true;
    bool defaultUnitNeeded = true;
    ParamValue& param = reader.param;

    while ((fileTypeNeeded || defaultUnitNeeded) && reader.ReadRecordLine()) {
        switch (MatchFileTypeLine(reader.line)) {
        case FileTypeLine::Pcb:
            fileTypeNeeded = false;
            continue;
        case FileTypeLine::OtherType:
            header.failure = HeaderFailure::WrongFileType;
            return header;
        case FileTypeLine::No:
            break;
        }
        if (!HasKeyword(reader.line, kUnitsKeyword))
            continue;

        ScanParameters(reader.line, kUnitsKeyword.size(), param, [&](const char* value) {
            if (std::strcmp(param.name, "Default") != 0)
                return param.ParseTextValue(value);
            std::size_t consumed = param.ParseNumbers(value);
            if (param.count != 1)
                FatalParseError("default unit");
            // Converted with the scale of this moment: 0.0 before the first Default.
            ConvertLengths(param, header.defaultUnitScale);
            header.defaultUnitScale = param.values[0];
            defaultUnitNeeded = false;
            return consumed;
        });
        if (defaultUnitNeeded) {
            header.failure = HeaderFailure::NoDefaultUnit;
            return header;
        }
    }
    return header;
}
