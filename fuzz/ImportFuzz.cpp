// libFuzzer entry for the import of units and employees: any bytes as the import file, imported
// into an empty data directory. Besides not crashing:
// - the lines the import file gives are the lines of its whole text in its encoding (CR LF, LF or a
//   lone CR end one), in Windows-1250, and the last one ends where the file does;
// - reusing what was read writes the same bytes as reading the register afresh for every line;
// - importing the same file a second time adds nothing and takes the same lines.
// An input that starts with the byte 7F is moved to just before the end of the first 64 KiB block
// the file is read in (its second byte says how far before, in pairs of bytes), after a filler line
// in the file's encoding, so that line ends and characters fall on the block boundary; only the
// reading of the lines is checked then, since the import makes of them what it makes of any lines.
#include "Counters.h"
#include "FuzzSupport.h"
#include "Import.h"
#include "RecordFiles.h"
#include "RecordText.h"
#include "TextCodec.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace taviro;
using taviro::fuzz::FuzzFolder;
using taviro::fuzz::NoWaitNotifier;
using taviro::fuzz::require;

constexpr std::size_t kBlock = 64 * 1024; // as the import file is read

FuzzFolder& folder()
{
    static FuzzFolder folder;
    return folder;
}

std::size_t markLength(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return 3;
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ? 2 : 0;
}

bool movedToTheBoundary(std::string_view input)
{
    return input.size() >= 2 && input[0] == '\x7F';
}

// The file for the fuzz input (see the top of the file).
std::string fileOf(std::string_view input)
{
    if (!movedToTheBoundary(input))
        return std::string(input);
    const std::size_t before = 2 * static_cast<unsigned char>(input[1]);
    const std::string_view rest = input.substr(2);
    const std::size_t mark = markLength(rest);
    std::string file(rest.substr(0, mark));
    const std::size_t filler = kBlock - mark - before;
    if (mark == 2) {
        const bool bigEndian = rest[0] == '\xFE';
        for (std::size_t unit = 0; unit < filler / 2; ++unit) {
            const char c = unit + 2 == filler / 2 ? '\r' : unit + 1 == filler / 2 ? '\n' : 'x';
            file += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
        }
    } else {
        file.append(filler - 2, 'x');
        file += "\r\n";
    }
    file += rest.substr(mark);
    return file;
}

// The lines the file holds, read whole, in Windows-1250.
std::vector<std::string> expectedLines(std::string_view file, ImportEncoding encoding)
{
    const std::string_view text = encoding == ImportEncoding::Windows1250 || encoding == ImportEncoding::Utf8
                                      ? file
                                      : file.substr(markLength(file));
    std::string utf8;
    if (encoding == ImportEncoding::Utf16LittleEndian || encoding == ImportEncoding::Utf16BigEndian) {
        const std::optional<std::string> decoded = utf16ToUtf8(text, encoding == ImportEncoding::Utf16BigEndian);
        require(decoded.has_value(), "a file the check takes is well-formed UTF-16");
        utf8 = *decoded;
    } else {
        utf8 = text;
    }
    std::vector<std::string> lines;
    for (const std::string_view line : splitLines(utf8, LineEnds::Any))
        lines.push_back(encoding == ImportEncoding::Windows1250 ? std::string(line) : utf8ToCp1250(line));
    return lines;
}

void checkLines(const std::string& path, std::string_view file)
{
    ImportSource source(path);
    if (!source.check().empty())
        return;
    std::vector<std::string> lines;
    std::uint64_t last = 0;
    source.forEachLine([&](std::string_view line, std::uint64_t bytesDone) {
        require(bytesDone > last, "every line moves the import on");
        last = bytesDone;
        lines.emplace_back(line);
    });
    require(lines == expectedLines(file, source.encoding()), "the import reads the lines of the whole text");
    require(lines.empty() || last == file.size(), "the last line ends where the file does");
}

// Every file of a data directory by its relative name, with its bytes.
std::map<std::string, std::string> filesOf(const std::string& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().string().substr(root.size())] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

struct Register
{
    explicit Register(std::string_view name) : files(folder().directory(name), notifier) {}
    NoWaitNotifier notifier;
    SharedFileAccess files;
    Counters counters{files};
    RecordFiles records{files, counters, "00000001"};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string file = fileOf(input);
    const std::string path = folder().path("import.txt");
    folder().write("import.txt", file);
    checkLines(path, file);
    if (movedToTheBoundary(input))
        return 0;

    folder().clear("reused");
    folder().clear("afresh");
    Register reused("reused");
    Register afresh("afresh");
    const ImportResult first = importRegister(reused.records, path, {}, ImportReading::ReuseUnchanged);
    const ImportResult other = importRegister(afresh.records, path, {}, ImportReading::EveryLineAfresh);
    require(other.taken == first.taken && other.unitsAdded == first.unitsAdded &&
                other.employeesAdded == first.employeesAdded && other.refusal == first.refusal,
            "both readings import alike");
    require(filesOf(folder().path("reused")) == filesOf(folder().path("afresh")), "both readings write the same bytes");

    const ImportResult again = importRegister(reused.records, path, {}, ImportReading::ReuseUnchanged);
    require(again.unitsAdded == 0 && again.employeesAdded == 0, "a file imported twice adds nothing the second time");
    require(again.taken == first.taken && again.refusal == first.refusal, "a file imported twice takes the same lines");
    return 0;
}
