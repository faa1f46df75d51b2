#include "GeneratedOffice.h"

#include "TaviroTypeCode.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

namespace taviro::bench {
namespace {

const char* const kPositions[] = {"Inspektor", "Podinspektor",       "Starszy inspektor",
                                  "Referent",  "Główny specjalista", "Kierownik referatu"};
const char* const kCriteria[] = {"Sumienność",
                                 "Sprawność",
                                 "Bezstronność",
                                 "Umiejętność stosowania odpowiednich przepisów",
                                 "Planowanie i organizowanie pracy",
                                 "Umiejętność obsługi urządzeń biurowych i programów komputerowych",
                                 "Komunikacja werbalna",
                                 "Komunikacja pisemna",
                                 "Postawa etyczna",
                                 "Zarządzanie zasobami",
                                 "Kreatywność",
                                 "Umiejętność negocjowania"};
const char* const kLevels[] = {"niezadowalający", "zadowalający", "dobry", "bardzo dobry", "wysoki"};
const char* const kGrades[] = {"pozytywna", "negatywna"};
const char* const kWords[] = {
    "pracownik",
    "wykonuje",
    "powierzone",
    "zadania",
    "terminowo",
    "rzetelnie",
    "wykazuje",
    "się",
    "dużą",
    "znajomością",
    "przepisów",
    "prawa",
    "w",
    "zakresie",
    "obsługi",
    "mieszkańców",
    "oraz",
    "współpracy",
    "z",
    "jednostkami",
    "gminy",
    "należy",
    "zwrócić",
    "uwagę",
    "na",
    "potrzebę",
    "doskonalenia",
    "umiejętności",
    "pisania",
    "pism",
    "urzędowych",
    "i",
    "decyzji",
    "administracyjnych",
    "jest",
    "życzliwy",
    "wobec",
    "interesantów",
    "ponadto",
    "uczestniczył",
    "szkoleniach",
    "dotyczących",
    "ochrony",
    "danych",
    "osobowych",
    "zamówień",
    "publicznych",
    "źródeł",
};

// Deterministic text: sentences of Polish words, some of them on lines of their own ("#$").
class TextMaker
{
public:
    std::string sentences(int minLength, int maxLength)
    {
        const int length = number(minLength, maxLength);
        std::string text;
        bool sentenceStart = true;
        while (static_cast<int>(text.size()) < length) {
            std::string word = kWords[number(0, std::size(kWords) - 1)];
            if (sentenceStart && word[0] >= 'a' && word[0] <= 'z')
                word[0] = static_cast<char>(word[0] - 'a' + 'A');
            if (!text.empty() && !sentenceStart)
                text += ' ';
            text += word;
            sentenceStart = false;
            if (number(0, 9) == 0) {
                text += number(0, 2) == 0 ? ".#$" : ". ";
                sentenceStart = true;
            }
        }
        return text + ".";
    }
    std::string date()
    {
        char text[16];
        std::snprintf(text, sizeof text, "%02d-%02d-%04d", number(1, 28), number(1, 12), number(2008, 2025));
        return text;
    }
    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    template <std::size_t N> const char* pick(const char* const (&list)[N]) { return list[number(0, N - 1)]; }

private:
    std::mt19937 m_random{20240611};
};

struct Line
{
    std::string key;
    std::string value;
};

// A record as the program appends it, in Windows-1250 with CR LF.
std::string storedRecord(const std::string& id, const std::vector<Line>& lines, std::string_view deletionKey,
                         bool deleted)
{
    std::string text = "{\r\nID=" + id + "\r\n";
    for (const Line& line : lines)
        text += utf8ToCp1250(line.key + line.value) + "\r\n";
    text += std::string(deletionKey) + (deleted ? "1" : "0") + "\r\n}\r\n\r\n";
    return text;
}

struct Person
{
    std::string id;
    std::string firstName;
    std::string surname;
    std::string position;
};

std::string appraisalRecord(TextMaker& text, const std::string& id, const Person& person, const std::string& unit,
                            bool deleted, const std::string& document)
{
    namespace a = keys::appraisal;
    const std::string fullName = person.firstName + " " + person.surname;
    std::vector<Line> lines = {
        {std::string(a::kFirm), "Urząd Miasta i Gminy w Łęczycy"},
        {std::string(a::kName), person.firstName},
        {std::string(a::kSurname), person.surname},
        {std::string(a::kCell), unit},
        {std::string(a::kPosition), person.position},
        {std::string(a::kEmploy), "1"},
        {std::string(a::kDate1), text.date()},
        {std::string(a::kDate2), text.date()},
        {std::string(a::kOldGrade), text.pick(kGrades)},
        {std::string(a::kOldDate), text.date()},
        {std::string(a::kCity), "Łęczyca"},
        {std::string(a::kDate), text.date()},
        {std::string(a::kInfoDate), text.date()},
        {std::string(a::kInfoTime), "10:30:00"},
        {std::string(a::kInfoDate2), text.date()},
    };
    const int criteria = text.number(4, 6);
    for (int n = 1; n <= a::kCriterionSlots; ++n)
        lines.push_back({a::criterion(n), n <= criteria ? kCriteria[(n * 5 + criteria) % std::size(kCriteria)] : ""});
    const std::vector<Line> partB = {
        {std::string(a::kCriterionName), text.pick(kCriteria)},
        {std::string(a::kCriterionNote), text.sentences(60, 240)},
        {std::string(a::kGradeMonth), std::to_string(text.number(1, 12))},
        {std::string(a::kGradeYear), std::to_string(text.number(2010, 2025))},
        {std::string(a::kGradeName), "Jan Kowalski"},
        {std::string(a::kGradePosition), "Naczelnik Wydziału Organizacyjnego"},
        {std::string(a::kGradeDate), text.date()},
        {std::string(a::kBossNote), text.sentences(40, 200)},
        {std::string(a::kBossName), "Zdzisław Grabowski"},
        {std::string(a::kBossCity), "Łęczyca"},
        {std::string(a::kEvaluatorName), "Jan"},
        {std::string(a::kEvaluatorSurname), "Kowalski"},
        {std::string(a::kEvaluatorPosition), "Naczelnik Wydziału Organizacyjnego"},
        {std::string(a::kEvaluatorDate), text.date()},
        {std::string(a::kOpinion), text.sentences(300, 1200)},
        {std::string(a::kAppraisedPerson), fullName},
        {std::string(a::kPeriodStart), text.date()},
        {std::string(a::kPeriodEnd), text.date()},
    };
    lines.insert(lines.end(), partB.begin(), partB.end());
    const int rows = text.number(6, 12);
    for (int n = 1; n <= rows; ++n) {
        lines.push_back({a::criterionRowName(n), kCriteria[(n + rows) % std::size(kCriteria)]});
        lines.push_back({a::criterionRowLevel(n), text.pick(kLevels)});
    }
    const std::vector<Line> partD = {
        {std::string(a::kGrade), std::to_string(text.number(1, 4))},
        {std::string(a::kGradeCity), "Łęczyca"},
        {std::string(a::kGradeDrawnUp), text.date()},
        {std::string(a::kAcknowledgedName), fullName},
        {std::string(a::kAcknowledgedCity), "Łęczyca"},
        {std::string(a::kDocument), document},
    };
    lines.insert(lines.end(), partD.begin(), partD.end());
    return storedRecord(id, lines, a::kDelete, deleted);
}

std::string employeeRecord(TextMaker& text, const Person& person, bool deleted)
{
    namespace e = keys::employee;
    const std::vector<Line> lines = {
        {std::string(e::kName), person.firstName},
        {std::string(e::kSurname), person.surname},
        {std::string(e::kPosition), person.position},
        {std::string(e::kEmploy), "1"},
        {std::string(e::kDate1), text.date()},
        {std::string(e::kDate2), text.date()},
        {std::string(e::kDuty1), text.sentences(40, 300)},
        {std::string(e::kDuty2), text.sentences(20, 150)},
    };
    return storedRecord(person.id, lines, e::kDelete, deleted);
}

void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

std::filesystem::path freshFolder(const std::string& stem)
{
    static std::mt19937_64 random(std::random_device{}());
    for (;;) {
        auto folder = std::filesystem::temp_directory_path() / (stem + std::to_string(random()));
        if (std::filesystem::create_directory(folder))
            return folder;
    }
}

std::vector<UnitData> writeDataDirectory(const std::filesystem::path& folder, const std::vector<int>& unitSizes)
{
    TextMaker text;
    std::vector<UnitData> units;
    std::string cells;
    int nextEmployee = 1;
    int nextAppraisal = 1;
    int nextDocument = 1;
    for (const int size : unitSizes) {
        UnitData unit;
        unit.id = static_cast<int>(units.size()) + 1;
        unit.employees = size;
        const std::string unitName = "Wydział Organizacyjny " + std::to_string(unit.id);
        const std::vector<Line> cell = {
            {std::string(keys::unit::kFirm), "Urząd Miasta i Gminy"},
            {std::string(keys::unit::kCity), "Łęczyca"},
            {std::string(keys::unit::kName), unitName},
            {std::string(keys::unit::kPerson), "Jan Kowalski"},
            {std::string(keys::unit::kPosition), "Naczelnik"},
            {std::string(keys::unit::kDate), "01-02-2010"},
        };
        cells += storedRecord(identifierText(unit.id), cell, keys::unit::kDelete, false);

        const auto employeeFile = folder / employeesFileName(identifierText(unit.id));
        unit.files.push_back(employeeFile.string());
        std::string employees;
        for (int live = 0; live < size;) {
            const int n = nextEmployee++;
            const bool deleted = n % 20 == 0;
            const Person person{identifierText(n), kFirstNames[n % std::size(kFirstNames)],
                                kSurnames[(n / 3) % std::size(kSurnames)], text.pick(kPositions)};
            employees += employeeRecord(text, person, deleted);
            if (deleted)
                continue;
            ++live;
            std::string appraisals;
            for (int k = 0; k < kAppraisalsPerEmployee; ++k) {
                const bool gone = k == 3 || k == 7;
                // Every tenth appraisal kept its interview notes in a document of the data directory.
                std::string document;
                if (nextAppraisal % 10 == 0 && !gone) {
                    document = "Do" + identifierText(nextDocument++) + ".rtf";
                    writeFile(folder / document, "{\\rtf1\\ansi\\ansicpg1250 Notatki z rozmowy oceniaj\\'b9cej.\\par}");
                }
                appraisals += appraisalRecord(text, identifierText(nextAppraisal++), person, unitName, gone, document);
                unit.liveAppraisals += gone ? 0 : 1;
            }
            const auto appraisalFile = folder / appraisalsFileName(person.id);
            writeFile(appraisalFile, appraisals);
            unit.files.push_back(appraisalFile.string());
            unit.bytes += appraisals.size();
        }
        writeFile(employeeFile, employees);
        unit.bytes += employees.size();
        units.push_back(std::move(unit));
    }
    writeFile(folder / unitsFileName(), cells);
    // The counters stand where the program would have left them: at the next identifier.
    const auto writeCounter = [&](const char* name, int next) {
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[static_cast<std::size_t>(i)] = static_cast<char>((next >> (8 * i)) & 0xFF);
        writeFile(folder / name, bytes);
    };
    writeCounter("Cell.cou", static_cast<int>(units.size()) + 1);
    writeCounter("Person.cou", nextEmployee);
    writeCounter("Grade.cou", nextAppraisal);
    writeCounter("Document.cou", nextDocument);
    return units;
}

// The floor: each file opened, read whole into one reused buffer and closed, one after another.
// A read that returns less than it was asked for has reached the end of a regular file.
std::uint64_t readPlainly(const std::vector<std::string>& files, std::vector<char>& buffer)
{
    std::uint64_t total = 0;
    for (const std::string& path : files) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            throw std::runtime_error("cannot open " + path);
        for (;;) {
            const ssize_t got = ::read(fd, buffer.data(), buffer.size());
            if (got < 0)
                throw std::runtime_error("cannot read " + path);
            total += static_cast<std::uint64_t>(got);
            if (static_cast<std::size_t>(got) < buffer.size())
                break;
        }
        ::close(fd);
    }
    return total;
}

double millisecondsOf(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace taviro::bench
