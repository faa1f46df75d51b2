#include "DataDirectory.h"

#include "platform/PlatformFiles.h"

#include <algorithm>

namespace taviro {

DataDirectory::DataDirectory(std::string path) : m_path(withTrailingSeparator(std::move(path), platform::kSeparator)) {}

std::string DataDirectory::withTrailingSeparator(std::string path, char separator)
{
    if (path.empty() || path.back() != separator)
        path += separator;
    return path;
}

std::string DataDirectory::folderOfExecutable(std::string_view executablePath, char separator)
{
    const auto last = executablePath.find_last_of(separator);
    if (last == std::string_view::npos)
        return std::string(1, separator);
    std::string folder(executablePath.substr(0, last));
    const bool driveRoot = folder.size() == 2 && folder[1] == ':';
    if (folder.empty() || driveRoot)
        folder += separator; // "/" or "C:\": the root keeps its separator
    return withTrailingSeparator(std::move(folder), separator);
}

std::string dataDirArgument(const std::vector<std::string>& arguments)
{
    static constexpr std::string_view kOption = "--data-dir";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == kOption && i + 1 < arguments.size())
            return arguments[i + 1];
        if (argument.size() > kOption.size() && argument.compare(0, kOption.size(), kOption) == 0 &&
            argument[kOption.size()] == '=')
            return argument.substr(kOption.size() + 1);
    }
    return {};
}

DataDirectory DataDirectory::fromCommandLine(const std::vector<std::string>& arguments)
{
    const std::string given = dataDirArgument(arguments);
    if (!given.empty())
        return DataDirectory(platform::absolutePath(given));
    return DataDirectory(folderOfExecutable(platform::executablePath(), platform::kSeparator));
}

std::string DataDirectory::file(std::string_view relative) const
{
    std::string full;
    full.reserve(m_path.size() + relative.size());
    full.append(m_path).append(relative);
    std::replace_if(
        full.begin() + static_cast<std::ptrdiff_t>(m_path.size()), full.end(),
        [](char c) { return c == '/' || c == '\\'; }, platform::kSeparator);
    return full;
}

std::string relativeName(std::initializer_list<std::string_view> parts)
{
    std::string name;
    for (const auto part : parts) {
        if (!name.empty())
            name += platform::kSeparator;
        name += part;
    }
    return name;
}

} // namespace taviro
