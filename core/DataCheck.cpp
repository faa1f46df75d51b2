#include "DataCheck.h"
#include "DataCheckAccess.h"
#include "DataCheckText.h"

#include "Counters.h"
#include "RecordKeys.h"
#include "RecordText.h"
#include "TextCodec.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string_view>

namespace taviro {
namespace {

using namespace check;

constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;
constexpr std::size_t kCounterBytes = 4;

struct RecordField
{
    std::string_view key;
    std::string_view value;
    std::size_t line = 0;
};

// One record as the file holds it: where its "{" stands and every key line up to its "}".
struct Record
{
    std::size_t startLine = 0;
    std::vector<RecordField> fields;
    bool closed = false; // its "}" was there

    // The value of the last line with the key, or nothing.
    const RecordField* last(std::string_view key) const
    {
        for (auto field = fields.rbegin(); field != fields.rend(); ++field) {
            if (field->key == key)
                return &*field;
        }
        return nullptr;
    }
};

// What a record means to the checks across files: its identifier (when it has a usable one), where
// that stands, and whether the program shows it.
struct RecordIdentity
{
    long long id = 0;
    std::size_t line = 0;
    bool live = false;
};

// The highest identifier in use for one counter, and where.
struct Highest
{
    long long value = 0;
    Place place;

    void note(long long id, const std::string& file, std::size_t line)
    {
        if (id > value)
            *this = {id, {file, line}};
    }
};

struct EmployeeSeen
{
    Place place;
    std::string name; // first name and surname, UTF-8
};

class Checker
{
public:
    Checker(SharedFileAccess& files, std::int64_t leftoverAgeSeconds)
        : m_files(files), m_leftoverAge(leftoverAgeSeconds)
    {}

    DataCheckReport run()
    {
        std::vector<std::pair<long long, std::string>> employeeFiles;
        std::vector<std::pair<long long, std::string>> appraisalFiles;
        m_listed = dataFileNames();
        const std::vector<std::string>& names = m_listed;
        for (const std::string& name : names) {
            if (const auto unit = numberInName(name, "Pe", ".dat"))
                employeeFiles.emplace_back(*unit, name);
            else if (const auto employee = numberInName(name, "Gr", ".dat"))
                appraisalFiles.emplace_back(*employee, name);
        }
        checkUnits();
        for (const auto& [unit, name] : employeeFiles)
            checkEmployees(name, unit);
        for (const auto& [employee, name] : appraisalFiles)
            checkAppraisals(name, employee);
        checkCounters();
        if (const auto users = read("Users.dat"))
            checkUserLines(
                "Users.dat", *users, [&](long long unit) { return m_units.contains(unit); }, m_report.findings);
        checkTemporaryFolder();
        checkSharing(m_files, names, m_report.findings);
        return std::move(m_report);
    }

private:
    void add(const std::string& file, std::size_t line, std::string text)
    {
        m_report.findings.push_back({file, line, std::move(text)});
    }

    // The names of the files in the data directory, in name order.
    std::vector<std::string> dataFileNames() const
    {
        const std::string& folder = m_files.directory().path();
        std::error_code error;
        std::vector<std::string> names = filesIn(folder, &error);
        if (error)
            throw IoError(".", error.message(),
                          "Nie można odczytać zawartości katalogu danych " + folder + ": " + error.message());
        return names;
    }

    // Looked up in the listing made at the start (one call for the whole folder, not one per name);
    // only a name missing there is asked of the folder again, in case it was made since.
    bool isPresent(const std::string& name) const
    {
        return std::binary_search(m_listed.begin(), m_listed.end(), name) || m_files.exists(name);
    }

    std::optional<std::string_view> read(const std::string& name)
    {
        const auto content = m_files.readIfExists(name, m_buffer);
        if (content)
            ++m_report.filesRead;
        return content;
    }

    // Reads the lines of a record file: bytes no text of ours holds, and the framing. onRecord gets
    // every record with a usable identifier, complete or cut short. lateKey may stand after the
    // deletion line (empty for none).
    template <typename OnRecord>
    void scanRecords(const std::string& file, std::string_view content, std::string_view deletionKey,
                     std::string_view lateKey, const OnRecord& onRecord)
    {
        std::optional<Record> open;
        // Lines outside any record are reported once per run of them: a lost "{" makes a whole
        // record of them.
        bool strayReported = false;
        const auto finish = [&] {
            if (const auto identity = checkRecord(file, *open, deletionKey, lateKey))
                onRecord(*open, *identity);
            open.reset();
        };
        std::size_t number = 0;
        for (const LineSpan& span : Lines(content)) {
            const std::string_view text = span.text;
            ++number;
            checkBytes(file, number, text);
            if (isRecordStart(text)) {
                if (open)
                    finish();
                open = Record{number, {}, false};
                strayReported = false;
            } else if (isRecordEnd(text)) {
                if (open) {
                    open->closed = true;
                    finish();
                } else if (!strayReported) {
                    add(file, number, "wiersz „}” poza rekordem (brak wiersza „{” przed nim)");
                }
                strayReported = false;
            } else if (trimmedView(text).empty()) {
                continue; // the separator after a record
            } else if (text.find('=') == std::string_view::npos) {
                if (open)
                    add(file, number, "nieznany wiersz w rekordzie: " + quoted(text));
                else if (!strayReported)
                    add(file, number, "nieznany wiersz poza rekordem: " + quoted(text));
                strayReported = strayReported || !open;
            } else if (open) {
                const KeyValue field = splitLine(text);
                open->fields.push_back({field.key, field.value, number});
            } else if (!strayReported) {
                add(file, number,
                    "wiersz z kluczem " + quoted(splitLine(text).key) + " poza rekordem (brak wiersza „{” przed nim)");
                strayReported = true;
            }
        }
        if (open)
            finish();
    }

    void checkBytes(const std::string& file, std::size_t number, std::string_view text)
    {
        const auto bad = std::find_if(text.begin(), text.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return isForeignControl(byte) || isUnassigned(byte);
        });
        if (bad == text.end())
            return;
        const auto byte = static_cast<unsigned char>(*bad);
        const std::string column = " w kolumnie " + std::to_string(bad - text.begin() + 1);
        if (isForeignControl(byte))
            add(file, number,
                "znak sterujący (bajt " + hexByte(byte) + ")" + column +
                    ": takiego znaku nie ma w tekście zapisywanym przez program");
        else
            add(file, number, "bajt " + hexByte(byte) + column + " nie oznacza żadnego znaku w kodowaniu Windows-1250");
    }

    // The findings of one record's own lines; its identity when it has a usable identifier.
    std::optional<RecordIdentity> checkRecord(const std::string& file, const Record& record,
                                              std::string_view deletionKey, std::string_view lateKey)
    {
        if (!record.closed)
            add(file, record.startLine, "rekord nie ma zamykającego wiersza „}”");
        const RecordField* idField = nullptr;
        for (const RecordField& field : record.fields) {
            if (field.key != keys::kId)
                continue;
            if (!idField)
                idField = &field;
            else
                add(file, field.line,
                    "drugi wiersz ID= w rekordzie, który zaczyna się w wierszu " + std::to_string(record.startLine));
        }
        if (!idField) {
            if (record.closed) // a record cut short right after its "{" is told above
                add(file, record.startLine, "rekord nie ma wiersza ID=");
            return std::nullopt;
        }
        const auto id = allDigits(idField->value) ? parseInteger(idField->value) : std::nullopt;
        if (!id || *id < 1) {
            add(file, idField->line, "identyfikator " + quoted(idField->value) + " nie jest liczbą dodatnią");
            return std::nullopt;
        }
        // The readers decide at the deletion line, with the values seen before it.
        const auto deletion = std::find_if(record.fields.begin(), record.fields.end(),
                                           [&](const RecordField& field) { return field.key == deletionKey; });
        const auto late = deletion == record.fields.end()
                              ? record.fields.end()
                              : std::find_if(deletion + 1, record.fields.end(),
                                             [&](const RecordField& field) { return field.key != lateKey; });
        if (record.closed && deletion == record.fields.end()) {
            add(file, record.startLine,
                "rekord " + identifierText(*id) + " nie ma wiersza " + std::string(deletionKey) +
                    ", więc program go nie widzi");
        } else if (record.closed && late != record.fields.end()) {
            const RecordField& after = *late;
            add(file, deletion->line,
                "wiersz " + std::string(deletionKey) + " nie jest ostatnim polem rekordu " + identifierText(*id) +
                    ": po nim stoi " + quoted(after.key) + " (wiersz " + std::to_string(after.line) +
                    "), którego program nie odczyta");
        }
        const bool live = deletion != record.fields.end() && deletion->value == "0";
        return RecordIdentity{*id, idField->line, live};
    }

    void checkUnits()
    {
        const std::string file = "Cell.dat";
        const auto content = read(file);
        if (!content)
            return;
        // Correcting a unit that had no date (an imported one) adds the date at the record's end.
        scanRecords(file, *content, keys::unit::kDelete, keys::unit::kDate,
                    [&](const Record&, const RecordIdentity& unit) {
                        m_highest[kCellSlot].note(unit.id, file, unit.line);
                        const auto [seen, added] = m_units.try_emplace(unit.id, Place{file, unit.line});
                        if (!added)
                            add(file, unit.line,
                                "identyfikator komórki " + identifierText(unit.id) + " jest już użyty " +
                                    placeSeenFrom(seen->second, file));
                    });
    }

    void checkEmployees(const std::string& file, long long unitId)
    {
        const auto content = read(file);
        if (!content)
            return;
        if (!m_units.contains(unitId))
            add(file, 0,
                "plik pracowników komórki " + identifierText(unitId) +
                    ", której nie ma w pliku Cell.dat; program nie pokaże tych pracowników");
        scanRecords(file, *content, keys::employee::kDelete, {},
                    [&](const Record& record, const RecordIdentity& employee) {
                        m_highest[kPersonSlot].note(employee.id, file, employee.line);
                        const RecordField* firstName = record.last(keys::employee::kName);
                        const RecordField* surname = record.last(keys::employee::kSurname);
                        const std::string name = cp1250ToUtf8(firstName ? firstName->value : std::string_view()) + " " +
                                                 cp1250ToUtf8(surname ? surname->value : std::string_view());
                        const auto [seen, added] =
                            m_employees.try_emplace(employee.id, EmployeeSeen{{file, employee.line}, name});
                        if (added)
                            return;
                        const std::string id = identifierText(employee.id);
                        if (seen->second.place.file != file && seen->second.name == name) {
                            m_report.employeesTwice.push_back({employee.id, seen->second.place.file, file});
                            add(file, employee.line,
                                "pracownik " + id + " (" + trimmed(name) + ") jest także " +
                                    placeSeenFrom(seen->second.place, file) +
                                    ": przeniesienie do innej komórki zatrzymało się w połowie");
                        } else {
                            add(file, employee.line,
                                "identyfikator pracownika " + id + " jest już użyty " +
                                    placeSeenFrom(seen->second.place, file));
                        }
                    });
    }

    void checkAppraisals(const std::string& file, long long employeeId)
    {
        const auto content = read(file);
        if (!content)
            return;
        if (!m_employees.contains(employeeId))
            add(file, 0,
                "plik ocen pracownika " + identifierText(employeeId) +
                    ", którego nie ma w żadnym pliku Pe; program nie pokaże tych ocen");
        scanRecords(file, *content, keys::appraisal::kDelete, {},
                    [&](const Record& record, const RecordIdentity& appraisal) {
                        m_highest[kGradeSlot].note(appraisal.id, file, appraisal.line);
                        const auto [seen, added] = m_appraisals.try_emplace(appraisal.id, Place{file, appraisal.line});
                        if (!added)
                            add(file, appraisal.line,
                                "identyfikator oceny " + identifierText(appraisal.id) + " jest już użyty " +
                                    placeSeenFrom(seen->second, file));
                        const RecordField* document = record.last(keys::appraisal::kDocument);
                        if (!document || trimmedView(document->value).empty())
                            return;
                        const std::string name = cp1250ToUtf8(document->value);
                        if (const auto number = numberInName(name, "Do", ".rtf"))
                            m_highest[kDocumentSlot].note(*number, file, document->line);
                        if (appraisal.live && !isPresent(name))
                            add(file, document->line,
                                "nie ma dokumentu notatek z rozmowy " + name +
                                    " wskazanego w wierszu GRADEVAR= oceny " + identifierText(appraisal.id));
                    });
    }

    void checkCounters()
    {
        static constexpr std::array<Counter, 6> kAll = {Counter::Cell,     Counter::Person,  Counter::Grade,
                                                        Counter::Document, Counter::Session, Counter::Unique};
        for (const Counter counter : kAll) {
            const std::string file = counterFileName(counter);
            const Highest* highest = nullptr;
            if (const int slot = slotOf(counter); slot >= 0 && m_highest[static_cast<std::size_t>(slot)].value > 0)
                highest = &m_highest[static_cast<std::size_t>(slot)];
            const auto content = read(file);
            const auto inUse = [&] {
                return "najwyższy użyty identyfikator to " + identifierText(highest->value) + " " +
                       placeSeenFrom(highest->place, file);
            };
            if (!content) {
                if (highest)
                    m_report.countersBehind.push_back({file, highest->value});
                if (highest)
                    add(file, 0,
                        "pliku licznika nie ma, więc następne losowanie da " +
                            identifierText(1, counterWidth(counter)) + ", a " + inUse() +
                            "; wydany zostałby identyfikator, który już jest w użyciu");
                continue;
            }
            if (content->size() != kCounterBytes) {
                add(file, 0,
                    "plik licznika ma " +
                        polishCount(static_cast<long long>(content->size()), "bajt", "bajty", "bajtów") + " zamiast 4");
                continue;
            }
            std::uint32_t bits = 0;
            for (std::size_t i = 0; i < kCounterBytes; ++i)
                bits |= static_cast<std::uint32_t>(static_cast<unsigned char>((*content)[i])) << (8 * i);
            const auto value = static_cast<std::int32_t>(bits);
            if (value < 1) {
                add(file, 0, "licznik ma niepoprawną wartość " + std::to_string(value));
            } else if (highest && value <= highest->value) {
                m_report.countersBehind.push_back({file, highest->value});
                add(file, 0,
                    "licznik wskazuje " + identifierText(value, counterWidth(counter)) + ", a " + inUse() +
                        "; następne losowanie wydałoby identyfikator, który już jest w użyciu");
            }
        }
    }

    void checkTemporaryFolder()
    {
        for (const std::string& name : filesIn(m_files.fullPath("Temp"))) {
            const std::string file = relativeName({"Temp", name});
            std::int64_t age = 0;
            if (!platform::secondsSinceChange(m_files.fullPath(file), age) || age < m_leftoverAge)
                continue;
            add(file, 0,
                "pozostałość po pracy programu sprzed " + polishCount(age / kSecondsPerDay, "dnia", "dni", "dni") +
                    "; jeśli żadne stanowisko nie jest uruchomione, można ją usunąć");
        }
    }

    static constexpr std::size_t kCellSlot = 0;
    static constexpr std::size_t kPersonSlot = 1;
    static constexpr std::size_t kGradeSlot = 2;
    static constexpr std::size_t kDocumentSlot = 3;
    static int slotOf(Counter counter)
    {
        switch (counter) {
        case Counter::Cell:
            return kCellSlot;
        case Counter::Person:
            return kPersonSlot;
        case Counter::Grade:
            return kGradeSlot;
        case Counter::Document:
            return kDocumentSlot;
        default:
            return -1; // sessions and working copies leave no identifier in the files
        }
    }

    SharedFileAccess& m_files;
    std::int64_t m_leftoverAge;
    DataCheckReport m_report;
    std::string m_buffer;              // one for every file read, one after the other
    std::vector<std::string> m_listed; // the data directory's files, in name order
    std::map<long long, Place> m_units;
    std::map<long long, EmployeeSeen> m_employees;
    std::map<long long, Place> m_appraisals;
    std::array<Highest, 4> m_highest{};
};

} // namespace

DataCheckReport checkDataDirectory(SharedFileAccess& files, std::int64_t leftoverAgeSeconds)
{
    return Checker(files, leftoverAgeSeconds).run();
}

std::string findingText(const DataFinding& finding)
{
    if (finding.line == 0)
        return finding.file + ": " + finding.text;
    return finding.file + ", wiersz " + std::to_string(finding.line) + ": " + finding.text;
}

std::string checkSummary(const DataCheckReport& report)
{
    const std::string files =
        "Sprawdzono " + polishCount(static_cast<long long>(report.filesRead), "plik", "pliki", "plików");
    if (report.findings.empty())
        return files + ": nie znaleziono problemów.";
    return files + ": znaleziono " +
           polishCount(static_cast<long long>(report.findings.size()), "problem", "problemy", "problemów") + ".";
}

} // namespace taviro
