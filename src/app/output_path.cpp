#include "app/output_path.hpp"


namespace {

bool EndsWithPcbInAnyCase(std::string_view path)
{
    if (path.size() < 4)
        return false;
    std::string_view extension = path.substr(path.size() - 4);
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return extension[0] == '.' && lower(extension[1]) == 'p' && lower(extension[2]) == 'c' &&
           lower(extension[3]) == 'b';
}

} // namespace

void DeriveOutputPath(std::string& path)
{
    if (EndsWithPcbInAnyCase(path))
        path.replace(path.size() - 3, 3, "ipc");
    else
        path += ".ipc";
}

std::string_view OutputFileName(std::string_view outputPath)
{
    std::size_t backslash = outputPath.rfind('\\');
    return backslash == std::string_view::npos ? outputPath : outputPath.substr(backslash + 1);
}
