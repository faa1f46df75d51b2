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
#include "TaviroTypeCode.h"
#include "platform/PlatformFiles.h"

#include <cstdio>
#include <cstdlib>
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

int run(const std::vector<std::string>& args)
{
    if (args.size() < 2)
        return 64;
    const std::string& command = args[0];
    if (command == "browse" && args.size() == 5)
        return browse(args);
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
