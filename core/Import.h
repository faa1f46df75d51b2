// The import of units and employees from a tab-separated text file: the file with its encoding,
// and the import that adds to the register what the file names and the register lacks.
#pragma once

#include "IoError.h"
#include "platform/PlatformFiles.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace taviro {

class RecordFiles;

// What an import file is written in. Windows-1250 is what the data files hold and what is
// assumed unless the file says otherwise: a byte order mark, or text that is all well-formed UTF-8
// with at least one letter beyond ASCII (what most editors and spreadsheets save today).
enum class ImportEncoding
{
    Windows1250,
    Utf8,
    Utf8WithBom,
    Utf16LittleEndian, // with its byte order mark
    Utf16BigEndian,    // with its byte order mark
};

// The encoding as the user is told it: "Windows-1250", "UTF-8", "UTF-8 ze znacznikiem BOM" …
std::string importEncodingName(ImportEncoding encoding);

// An import file opened for reading (a plain open, not the retry protocol). A file on a disk is
// read again for every pass, a block at a time, so memory stays the same however long it is; a
// pipe (or standard input) cannot be read twice and is kept in memory as it came.
class ImportSource
{
public:
    // A file that cannot be opened or read throws IoError naming the path as given.
    explicit ImportSource(std::string path);

    const std::string& path() const { return m_path; }
    std::uint64_t size() const { return m_size; }

    // Reads the file through once, before anything is written: which encoding it is in, and
    // whether every line can be stored. Gives the refusal, a Polish text naming the first line
    // that cannot (one with a NUL character, or a character Windows-1250 lacks), or an empty text
    // when every line can be imported. Reads only the first time.
    const std::string& check();
    ImportEncoding encoding() const { return m_encoding; }

    // Every line (CR LF, LF or a lone CR end one) in Windows-1250, in order, with how many bytes
    // of the file lie before the next line. Only after a check without refusal.
    using LineVisitor = std::function<void(std::string_view line, std::uint64_t bytesDone)>;
    void forEachLine(const LineVisitor& onLine);

private:
    std::size_t readAt(std::uint64_t offset, char* buffer, std::size_t count);

    std::string m_path;
    platform::File m_file;
    std::optional<std::string> m_memory; // what a pipe gave
    std::uint64_t m_size = 0;
    std::uint64_t m_textStart = 0; // after the byte order mark
    ImportEncoding m_encoding = ImportEncoding::Windows1250;
    bool m_checked = false;
    std::string m_refusal;
};

struct ImportResult
{
    int taken = 0;
    int unitsAdded = 0;
    int employeesAdded = 0;
    ImportEncoding encoding = ImportEncoding::Windows1250;
    // Not empty when the file was refused before anything was written (see ImportSource::check).
    std::string refusal;
};

// An input/output failure of a data file in the middle of an import. What the lines before it
// imported stays; the message says where the import stopped and how much it had done.
class ImportInterrupted : public IoError
{
public:
    ImportInterrupted(const IoError& cause, ImportResult done, int lineNumber);
    const ImportResult& done() const { return m_done; }
    int lineNumber() const { return m_lineNumber; }

private:
    ImportResult m_done;
    int m_lineNumber;
};

using ImportProgress = std::function<void(std::uint64_t bytesDone, std::uint64_t bytesTotal)>;

// How the import looks units and employees up. Both read Cell.dat and the unit's employee file
// for every line under a shared lock; ReuseUnchanged keeps what it made of a file's content and
// makes it again only when the bytes differ, EveryLineAfresh makes it anew every time. Both write
// exactly the same bytes.
enum class ImportReading
{
    ReuseUnchanged,
    EveryLineAfresh,
};

// Imports units and employees from a tab-separated file (eleven fields a line): a unit is looked
// up by name, an employee by first name and surname within the unit, each without regard to letter
// case, and what is missing is appended. The look-up is made once more under the exclusive lock of
// the append, so that imports running at the same moment on several workstations never add the
// same unit or employee twice. progress is called after every 100 lines of the file and once at
// the end with both numbers equal. A refused file (see ImportSource::check) gives its refusal and
// writes nothing; a failure of a data file half-way throws ImportInterrupted.
ImportResult importRegister(RecordFiles& records, ImportSource& source, const ImportProgress& progress = {},
                            ImportReading reading = ImportReading::ReuseUnchanged);
// The same for the file at that path: one that cannot be read throws IoError naming the path, before
// anything is written.
ImportResult importRegister(RecordFiles& records, const std::string& importFilePath,
                            const ImportProgress& progress = {});
ImportResult importRegister(RecordFiles& records, const std::string& importFilePath, const ImportProgress& progress,
                            ImportReading reading);

// "UWAGA! Błędny format pliku lub brak danych."
std::string importFormatErrorText();

// What an import did, for the user: "Przyjęte wiersze: 4, nowe komórki: 2, nowi pracownicy: 3.
// Plik odczytano w kodowaniu UTF-8."
std::string importSummaryText(const ImportResult& result);

} // namespace taviro
