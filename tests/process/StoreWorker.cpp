// A workstation in miniature for the multi-process tests: runs one kind of data-store operation
// in a loop on a data directory and writes one acknowledgement line to standard output after each
// operation has returned.
//
//   append  DIR FILE COUNT TAG     add COUNT appraisal records (A <id> <seq>)
//   draw    DIR COUNT              draw COUNT numbers from the Cell counter (N <number>)
//   rewrite DIR FILE ID COUNT      set VALUE= of record ID to 0..COUNT-1 (R <value>)
//   increment DIR FILE ID COUNT    add 1 to the number in VALUE= of record ID, COUNT times, each a
//                                  rewrite of its own (C <value written>): two rewrites that
//                                  overlap lose one of the two additions
//   hold    DIR FILE MS            hold FILE exclusively for MS milliseconds (prints "held")
//   churn   DIR FILE ID            alternate appends and rewrites of record ID until killed
//   move    DIR FROM TO EMPLOYEE COUNT
//                                  move EMPLOYEE from unit FROM to unit TO and back, COUNT moves
//                                  in all (M <n> <from> <to>); exits 3 when it is not in the source
//   import  DIR FILE               import units and employees from FILE (I <taken> <units> <employees>)
//   browse  DIR UNIT USER PASSWORD what a workstation reads, writing nothing, not even a session
//                                  number: the live units (U <id> <name>), the employees of UNIT
//                                  with their appraisals (E <id> <surname> <appraisals>), the first
//                                  of them read by identifier (R <id> <position>), the login of USER
//                                  (L accepted|refused|error), and W when it could write into DIR
//   soak    DIR SEED COUNT TAG UNITS EMPLOYEES OWNED
//                                  COUNT operations drawn at random from SEED, as a busy workstation
//                                  does them; see soak() for what it does and acknowledges
#include "AppraisalRecord.h"
#include "TaviroTypeCode.h"
#include "platform/PlatformFiles.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using namespace taviro;

namespace {

void acknowledge(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

struct Workstation
{
    explicit Workstation(const std::string& dir, bool drawSession = true)
        : files(DataDirectory(dir), notifier), counters(files),
          records(files, counters, drawSession ? counters.next(Counter::Session) : std::string("00000000"))
    {}
    ConsoleWaitNotifier notifier;
    SharedFileAccess files;
    Counters counters;
    RecordFiles records;
};

std::string appendOne(Workstation& station, const std::string& file, const std::string& tag, int seq)
{
    return station.records.add(file, RecordKind::Appraisal,
                               {{"WORKER=", tag}, {"SEQ=", std::to_string(seq)}, {"TEXT=", "zażółć#$gęślą jaźń"}});
}

void rewriteOne(Workstation& station, const std::string& file, const std::string& id, int value)
{
    station.records.rewrite(file, id, replaceValues({{"VALUE=", std::to_string(value)}}));
}

// The value the rewrite wrote, or -1 when the record (or its VALUE= line) is not in the file.
int incrementOne(Workstation& station, const std::string& file, const std::string& id)
{
    int written = -1;
    station.records.rewrite(file, id, [&](const std::vector<std::string>& lines) {
        std::vector<std::string> out = lines;
        for (std::string& line : out) {
            if (line.rfind("VALUE=", 0) == 0) {
                written = std::atoi(line.c_str() + 6) + 1;
                line = "VALUE=" + std::to_string(written);
            }
        }
        return out;
    });
    return written;
}

int browse(const std::vector<std::string>& args)
{
    Workstation station(args[1], false);
    for (const UnitEntry& unit : UnitRegister(station.records).liveUnits())
        acknowledge("U " + unit.id + " " + unit.name);
    EmployeeRegister employees(station.records);
    const std::vector<EmployeeEntry> tree = employees.unitTree(args[2]);
    for (const EmployeeEntry& employee : tree)
        acknowledge("E " + employee.id + " " + employee.surname + " " + std::to_string(employee.appraisals.size()));
    if (!tree.empty()) {
        const auto first = employees.read(args[2], tree.front().id);
        acknowledge("R " + (first ? first->id + " " + first->position : std::string("-")));
    }
    const LoginResult login = Accounts(station.files).login(args[3], args[4]);
    acknowledge(std::string("L ") + (login.outcome == LoginResult::Outcome::Accepted  ? "accepted"
                                     : login.outcome == LoginResult::Outcome::Refused ? "refused"
                                                                                      : "error " + login.errorText));
    platform::ErrorCode error = 0;
    const std::string probe = station.files.fullPath("probe.tmp");
    if (platform::File::open(probe, platform::Access::Write, platform::Creation::CreateAlways,
                             platform::Sharing::Nobody, error)
            .isOpen()) {
        platform::removeFile(probe);
        acknowledge("W");
    }
    return 0;
}

std::vector<std::string> splitList(const std::string& text, char separator)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            items.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

// What one soak worker may change: the employees handed to it and those it added (it alone moves,
// corrects and deletes them), and the appraisals it saved (it alone saves them again or deletes them).
struct OwnEmployee
{
    std::string id;
    std::string unit;
    bool added = false;
    bool deleted = false;
};

struct OwnAppraisal
{
    std::string employee;
    std::string id;
    bool deleted = false;
};

Fields soakAppraisal(const std::string& value)
{
    Appraisal appraisal;
    appraisal.firstName = "Jan";
    appraisal.surname = "Kowalski";
    appraisal.periodStart = "01-01-2025";
    appraisal.periodEnd = "31-12-2025";
    appraisal.opinion = "Wykonuje obowiązki\r\nrzetelnie";
    appraisal.rows = {{"Rzetelność", 3}, {"Sumienność", 4}};
    appraisal.overallLevel = 3;
    appraisal.appraisedPerson = value; // what tells this save from every other one
    return appraisalFields(appraisal);
}

std::string valueOf(const Fields& fields, std::string_view key)
{
    for (const Field& field : fields) {
        if (field.key == key)
            return field.value;
    }
    return "-";
}

enum class SoakOperation
{
    Add,
    Correct,
    Delete,
    Move,
    Save,
    SaveAgain,
    DeleteAppraisal,
    Draw,
    ReadTree,
    ReadAppraisal,
};

// The mix of a busy day, out of 100: writes of every kind and a fair share of reads.
SoakOperation drawOperation(int roll)
{
    constexpr std::pair<int, SoakOperation> kMix[] = {
        {12, SoakOperation::Add},
        {26, SoakOperation::Correct},
        {31, SoakOperation::Delete},
        {43, SoakOperation::Move},
        {57, SoakOperation::Save},
        {67, SoakOperation::SaveAgain},
        {71, SoakOperation::DeleteAppraisal},
        {81, SoakOperation::Draw},
        {90, SoakOperation::ReadTree},
    };
    for (const auto& [below, operation] : kMix) {
        if (roll < below)
            return operation;
    }
    return SoakOperation::ReadAppraisal;
}

int refuse(int code, const std::string& why)
{
    std::fprintf(stderr, "%s\n", why.c_str());
    return code;
}

// A workstation busy for COUNT operations, drawn from SEED: adds employees to any unit (A <unit>
// <employee> <surname>), corrects the position of an own employee (R <unit> <employee> <position>),
// deletes an employee it added (D <unit> <employee>), moves an own employee to another unit (M
// <employee> <from> <to>), saves a new appraisal of any of the EMPLOYEES (G <employee> <appraisal>
// <value>), saves an own appraisal again (S <employee> <appraisal> <value>), deletes one (X
// <employee> <appraisal>), draws a document number (N <number>), reads a unit's tree (B <unit>
// <employees listed> <own employees listed> <own employees that are there>) and reads an own
// appraisal back (V <appraisal> <value>). UNITS and EMPLOYEES are lists separated by commas, OWNED
// the employees handed to this worker as unit:employee pairs. Exits 3 when an own employee is not
// where it should be, 4 when a save of an own appraisal finds it changed meanwhile.
int soak(const std::vector<std::string>& args)
{
    Workstation station(args[1]);
    std::mt19937 random(static_cast<std::uint32_t>(std::stoul(args[2])));
    const int count = std::atoi(args[3].c_str());
    const std::string& tag = args[4];
    const std::vector<std::string> units = splitList(args[5], ',');
    const std::vector<std::string> seeded = splitList(args[6], ',');
    std::vector<OwnEmployee> employees;
    for (const std::string& pair : splitList(args[7], ',')) {
        const std::vector<std::string> parts = splitList(pair, ':');
        employees.push_back({parts.at(1), parts.at(0)});
    }
    if (units.size() < 2 || seeded.empty())
        return 64;
    std::vector<OwnAppraisal> appraisals;
    EmployeeRegister employeeRegister(station.records);
    AppraisalRegister appraisalRegister(station.records);
    const auto pick = [&random](std::size_t size) {
        return std::uniform_int_distribution<std::size_t>(0, size - 1)(random);
    };
    // An own employee or appraisal still live (and, for added, one this worker added), or none.
    const auto pickEmployee = [&](bool added) -> OwnEmployee* {
        std::vector<OwnEmployee*> candidates;
        for (OwnEmployee& employee : employees) {
            if (!employee.deleted && (employee.added || !added))
                candidates.push_back(&employee);
        }
        return candidates.empty() ? nullptr : candidates[pick(candidates.size())];
    };
    const auto pickAppraisal = [&]() -> OwnAppraisal* {
        std::vector<OwnAppraisal*> candidates;
        for (OwnAppraisal& appraisal : appraisals) {
            if (!appraisal.deleted)
                candidates.push_back(&appraisal);
        }
        return candidates.empty() ? nullptr : candidates[pick(candidates.size())];
    };
    for (int op = 0; op < count; ++op) {
        const std::string value = tag + "-" + std::to_string(op) + "-żółć";
        SoakOperation operation = drawOperation(static_cast<int>(pick(100)));
        OwnEmployee* employee = nullptr;
        OwnAppraisal* appraisal = nullptr;
        if (operation == SoakOperation::Correct || operation == SoakOperation::Move ||
            operation == SoakOperation::Delete) {
            employee = pickEmployee(operation == SoakOperation::Delete);
            operation = employee ? operation : SoakOperation::ReadTree;
        } else if (operation == SoakOperation::SaveAgain || operation == SoakOperation::DeleteAppraisal ||
                   operation == SoakOperation::ReadAppraisal) {
            appraisal = pickAppraisal();
            operation = appraisal ? operation : SoakOperation::ReadTree;
        }
        switch (operation) {
        case SoakOperation::Add: {
            Employee added;
            added.firstName = "Zdzisław";
            added.surname = "Źdźbło-" + value;
            added.position = "Referent";
            added.duty1 = "Kadry\r\npłace";
            const std::string unit = units[pick(units.size())];
            const std::string id = employeeRegister.add(unit, added);
            employees.push_back({id, unit, true});
            acknowledge("A " + unit + " " + id + " " + added.surname);
            break;
        }
        case SoakOperation::Correct: {
            std::optional<Employee> current = employeeRegister.read(employee->unit, employee->id);
            if (!current)
                return refuse(3, "pracownik " + employee->id + " nie jest w komórce " + employee->unit);
            current->position = "Stanowisko-" + value;
            employeeRegister.correct(employee->unit, *current);
            acknowledge("R " + employee->unit + " " + employee->id + " " + current->position);
            break;
        }
        case SoakOperation::Delete:
            employeeRegister.remove(employee->unit, employee->id);
            employee->deleted = true;
            acknowledge("D " + employee->unit + " " + employee->id);
            break;
        case SoakOperation::Move: {
            std::string target = employee->unit;
            while (target == employee->unit)
                target = units[pick(units.size())];
            if (!moveEmployee(station.records, employee->unit, target, employee->id))
                return refuse(3, "pracownik " + employee->id + " nie jest w komórce " + employee->unit);
            acknowledge("M " + employee->id + " " + employee->unit + " " + target);
            employee->unit = target;
            break;
        }
        case SoakOperation::Save: {
            const std::string& of = seeded[pick(seeded.size())];
            const std::string id = appraisalRegister.add(of, soakAppraisal(value));
            appraisals.push_back({of, id});
            acknowledge("G " + of + " " + id + " " + value);
            break;
        }
        case SoakOperation::SaveAgain: {
            const Fields readAtOpen = appraisalRegister.read(appraisal->employee, appraisal->id);
            if (appraisalRegister.replaceIfUnchanged(appraisal->employee, appraisal->id, readAtOpen,
                                                     soakAppraisal(value)) != AppraisalRegister::Replacement::Replaced)
                return refuse(4, "ocena " + appraisal->id + " zmieniona w międzyczasie");
            acknowledge("S " + appraisal->employee + " " + appraisal->id + " " + value);
            break;
        }
        case SoakOperation::DeleteAppraisal:
            appraisalRegister.remove(appraisal->employee, appraisal->id);
            appraisal->deleted = true;
            acknowledge("X " + appraisal->employee + " " + appraisal->id);
            break;
        case SoakOperation::Draw:
            acknowledge("N " + station.counters.next(Counter::Document));
            break;
        case SoakOperation::ReadAppraisal: {
            const Fields fields = appraisalRegister.read(appraisal->employee, appraisal->id);
            acknowledge("V " + appraisal->id + " " + valueOf(fields, keys::appraisal::kAppraisedPerson));
            break;
        }
        case SoakOperation::ReadTree: {
            const std::string& unit = units[pick(units.size())];
            const std::vector<EmployeeEntry> tree = employeeRegister.unitTree(unit);
            int listed = 0;
            int there = 0;
            for (const OwnEmployee& own : employees) {
                if (own.deleted || own.unit != unit)
                    continue;
                ++there;
                for (const EmployeeEntry& entry : tree)
                    listed += entry.id == own.id ? 1 : 0;
            }
            acknowledge("B " + unit + " " + std::to_string(tree.size()) + " " + std::to_string(listed) + " " +
                        std::to_string(there));
            break;
        }
        }
    }
    return 0;
}

int run(const std::vector<std::string>& args)
{
    if (args.size() < 2)
        return 64;
    const std::string& command = args[0];
    if (command == "browse" && args.size() == 5)
        return browse(args);
    if (command == "soak" && args.size() == 8)
        return soak(args);
    Workstation station(args[1]);
    if (command == "append" && args.size() == 5) {
        for (int seq = 0; seq < std::atoi(args[3].c_str()); ++seq)
            acknowledge("A " + appendOne(station, args[2], args[4], seq) + " " + std::to_string(seq));
        return 0;
    }
    if (command == "draw" && args.size() == 3) {
        for (int i = 0; i < std::atoi(args[2].c_str()); ++i)
            acknowledge("N " + station.counters.next(Counter::Cell));
        return 0;
    }
    if (command == "rewrite" && args.size() == 5) {
        for (int value = 0; value < std::atoi(args[4].c_str()); ++value) {
            rewriteOne(station, args[2], args[3], value);
            acknowledge("R " + std::to_string(value));
        }
        return 0;
    }
    if (command == "increment" && args.size() == 5) {
        for (int n = 0; n < std::atoi(args[4].c_str()); ++n) {
            const int written = incrementOne(station, args[2], args[3]);
            if (written < 0)
                return 3;
            acknowledge("C " + std::to_string(written));
        }
        return 0;
    }
    if (command == "hold" && args.size() == 4) {
        SharedFile held = station.files.openWithRetry(args[2], OpenKind::TextAppend);
        acknowledge("held");
        platform::sleepMilliseconds(std::atoi(args[3].c_str()));
        return 0;
    }
    if (command == "churn" && args.size() == 4) {
        for (int op = 0; op < 100000; ++op) {
            if (op % 2 == 0) {
                acknowledge("A " + appendOne(station, args[2], "churn", op) + " " + std::to_string(op));
            } else {
                rewriteOne(station, args[2], args[3], op);
                acknowledge("R " + std::to_string(op));
            }
        }
        return 0;
    }
    if (command == "import" && args.size() == 3) {
        const ImportResult result = importRegister(station.records, args[2]);
        acknowledge("I " + std::to_string(result.taken) + " " + std::to_string(result.unitsAdded) + " " +
                    std::to_string(result.employeesAdded));
        return 0;
    }
    if (command == "move" && args.size() == 6) {
        const std::string units[2] = {args[2], args[3]};
        for (int n = 0; n < std::atoi(args[5].c_str()); ++n) {
            const std::string& from = units[n % 2];
            const std::string& to = units[1 - n % 2];
            if (!moveEmployee(station.records, from, to, args[4]))
                return 3;
            acknowledge("M " + std::to_string(n) + " " + from + " " + to);
        }
        return 0;
    }
    return 64;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }
}
