// Record files: blocks of key=value lines ("{", "ID=…", fields, deletion line, "}", empty line)
// holding units (Cell.dat), the employees of a unit (Pe<unit>.dat) and the appraisals of an
// employee (Gr<employee>.dat). Records are only ever appended or rewritten in place; deleting
// sets the deletion flag.
#pragma once

#include "Counters.h"
#include "RecordText.h"
#include "SharedFiles.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace taviro {

enum class RecordKind
{
    Unit,
    Employee,
    Appraisal,
};

// "CELLDELETE=", "PERSONDELETE=", "DELETE=".
std::string_view deletionKey(RecordKind kind);
Counter counterOf(RecordKind kind);

// "Cell.dat", "Pe" + unit identifier + ".dat", "Gr" + employee identifier + ".dat". An identifier
// held as an integer is written six wide first (see identifierText).
std::string unitsFileName();
std::string employeesFileName(std::string_view unitIdentifier);
std::string appraisalsFileName(std::string_view employeeIdentifier);

// One live record found by an enumeration: its identifier and the values of the keys asked for,
// in the order they were asked for (empty where the record has no such line), as stored: a "#" or
// "$" stays what it is.
struct LiveRecord
{
    std::string id;
    std::vector<std::string> values;
};

// Changes the lines of the one selected record in a rewrite. It receives the record's lines
// from its "ID=" line up to (not including) its "}" line, in their stored form, and returns
// the lines to write in their place.
using Transformation = std::function<std::vector<std::string>(const std::vector<std::string>& recordLines)>;

// The deletion value becomes "1"; every other line stays.
Transformation softDelete(RecordKind kind);
// The value of every listed key present in the record is replaced; a listed key named in
// addIfMissing that the record lacks is added at the end of the record (before its "}").
Transformation replaceValues(Fields values, std::vector<std::string> addIfMissing = {});
// The "ID=" line stays; everything after it is replaced by the fields and a live deletion line.
Transformation replaceBody(RecordKind kind, Fields fields);

class RecordFiles
{
public:
    // session: this run's session number, which keeps temporary file names apart between
    // workstations.
    RecordFiles(SharedFileAccess& files, Counters& counters, std::string session);

    // Every live record of the file in file order, values as stored. A missing file gives nothing.
    std::vector<LiveRecord> enumerateLive(std::string_view file, RecordKind kind,
                                          std::span<const std::string_view> keys);
    std::vector<LiveRecord> enumerateLive(std::string_view file, RecordKind kind,
                                          std::initializer_list<std::string_view> keys)
    {
        return enumerateLive(file, kind, std::span<const std::string_view>(keys.begin(), keys.size()));
    }

    // The identifier of the first live unit whose name equals name, letter case aside (Polish
    // letters included), with no trimming; empty when there is none.
    std::string findUnitIdByName(std::string_view name);
    // The same over one unit's employees, with both first name and surname equal.
    std::string findEmployeeIdByName(std::string_view unitIdentifier, std::string_view firstName,
                                     std::string_view surname);

    // The fields of the record with that identifier, from its "ID=" line up to its "}", values
    // decoded (multi-line "#"/"$" back to line breaks). Deleted records are found too. The
    // identifier matches as the same text or as the same number ("17" finds "000017").
    // Nothing when the record or the file is missing.
    Fields readById(std::string_view file, std::string_view identifier);

    // Appends one complete record with a new identifier from the kind's counter and returns
    // that identifier. Values are given in stored form (see encodeMultiLine).
    std::string add(std::string_view file, RecordKind kind, const Fields& fields);

    // Copies the file through a temporary file in "Temp", transforming the lines of the record
    // whose "ID=" value is the given identifier text, and puts the copy in the file's place.
    // Returns whether the record was there (the file is replaced by its copy either way);
    // a missing file is left missing.
    bool rewrite(std::string_view file, std::string_view identifier, const Transformation& transformation);

    // The same, but only when the record still is what the caller saw: check gets the record's lines
    // (stored form, from "ID=" up to "}") under the exclusive lock, before anything is written.
    // Refused when check says no, NotFound when the record is not in the file (or the file is
    // missing); in both cases the file is left as it is.
    enum class Rewrite
    {
        Rewritten,
        NotFound,
        Refused,
    };
    using RecordCheck = std::function<bool(const std::vector<std::string>& recordLines)>;
    Rewrite rewriteIf(std::string_view file, std::string_view identifier, const RecordCheck& check,
                      const Transformation& transformation);

    // "Temp/Cell<session>.tem" for Cell.dat, "Temp/Pe<unit><session>.tem" for a Pe file …
    std::string temporaryFileName(std::string_view file) const;

    SharedFileAccess& files() { return m_files; }
    const std::string& session() const { return m_session; }

private:
    SharedFileAccess& m_files;
    Counters& m_counters;
    std::string m_session;
};

// The text after the first "=" of the first line that contains key anywhere in it; empty when no
// line does or the line has no "=". Printing reads the lines of loaded records this way.
std::string valueFromLoaded(const std::vector<std::string>& lines, std::string_view key);

} // namespace taviro
