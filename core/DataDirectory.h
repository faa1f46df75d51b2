// The data directory: the folder holding every data file, fixed once at start-up.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace taviro {

class DataDirectory
{
public:
    // path must end with the platform separator (see withTrailingSeparator).
    explicit DataDirectory(std::string path);

    // The folder of the running executable, or the folder given with --data-dir DIR
    // (also --data-dir=DIR). Nothing else decides it; the working directory plays no part.
    static DataDirectory fromCommandLine(const std::vector<std::string>& arguments);

    // The folder part of an executable's full path with a trailing separator: the separator
    // before the file name is kept only where the folder is a root (C:\ or /).
    static std::string folderOfExecutable(std::string_view executablePath, char separator);
    static std::string withTrailingSeparator(std::string path, char separator);

    const std::string& path() const { return m_path; }
    // Full path of a name relative to the data directory; "/" and "\" in the relative name
    // both stand for the platform separator.
    std::string file(std::string_view relativeName) const;

private:
    std::string m_path;
};

// A relative name from its parts, joined with the platform separator ("Temp", "Cell1.tem").
std::string relativeName(std::initializer_list<std::string_view> parts);

// The value of --data-dir in the arguments, or empty.
std::string dataDirArgument(const std::vector<std::string>& arguments);

} // namespace taviro
