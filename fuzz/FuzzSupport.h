// What the fuzz targets share: a property that must hold, and a data directory of their own for the
// targets that read and write real files.
#pragma once

#include "Counters.h"
#include "DataDirectory.h"
#include "RecordFiles.h"
#include "SharedFiles.h"
#include "WaitNotifier.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace taviro::fuzz {

// A property the code promises: when it fails, the input is a finding like a crash.
inline void require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "Property broken: %s\n", property);
    std::abort();
}

// Nobody else uses the fuzz targets' data directory, so every open must succeed at once; an open
// that is refused again and again is a hang.
class NoWaitNotifier : public WaitNotifier
{
public:
    void waitBeforeRetry() override { require(++m_waits < 100, "an open of an unshared file never waits for long"); }
    void showTimeoutWarning(const std::string&) override { require(false, "an unshared file never times out"); }

private:
    int m_waits = 0;
};

// A fresh folder for data files, removed when the target ends. It goes to $TMPDIR when that is
// set, else to /dev/shm where there is one: appends force the data to disk, and a RAM file system
// makes that cheap.
class FuzzFolder
{
public:
    FuzzFolder()
    {
        std::error_code error;
        std::filesystem::path base;
        if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp)
            base = tmp;
        else if (std::filesystem::is_directory("/dev/shm", error))
            base = "/dev/shm";
        else
            base = std::filesystem::temp_directory_path();
        std::string pattern = (base / "taviro-fuzz-XXXXXX").string();
        require(::mkdtemp(pattern.data()) != nullptr, "the fuzz folder can be made");
        m_path = pattern;
    }
    ~FuzzFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

    // A data directory in a subfolder (made when missing), with the trailing separator.
    DataDirectory directory(std::string_view name) const
    {
        const std::filesystem::path folder = m_path / name;
        std::filesystem::create_directories(folder);
        return DataDirectory(folder.string() + "/");
    }
    // Empties a subfolder.
    void clear(std::string_view name) const
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path / name, ignored);
        std::filesystem::create_directories(m_path / name);
    }
    std::string path(std::string_view relative) const { return (m_path / relative).string(); }

    void write(std::string_view relative, std::string_view bytes) const
    {
        std::ofstream out(path(relative), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        require(out.good(), "the fuzz input can be written to a file");
    }
    void remove(std::string_view relative) const
    {
        std::error_code ignored;
        std::filesystem::remove(path(relative), ignored);
    }

private:
    std::filesystem::path m_path;
};

// A data folder of its own with the record store on it, for targets that write and read records.
struct RecordStore
{
    FuzzFolder folder;
    NoWaitNotifier notifier;
    SharedFileAccess files{folder.directory("data"), notifier};
    Counters counters{files};
    RecordFiles records{files, counters, "00000001"};
};

} // namespace taviro::fuzz
