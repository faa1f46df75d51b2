// A workstation in miniature for the multi-process tests: runs one kind of data-store operation
// in a loop on a data directory and writes one acknowledgement line to standard output after each
// operation has returned.
//
//   append  DIR FILE COUNT TAG     add COUNT appraisal records (A <id> <seq>)
//   draw    DIR COUNT              draw COUNT numbers from the Cell counter (N <number>)
//   rewrite DIR FILE ID COUNT      set VALUE= of record ID to 0..COUNT-1 (R <value>)
//   hold    DIR FILE MS            hold FILE exclusively for MS milliseconds (prints "held")
//   churn   DIR FILE ID            alternate appends and rewrites of record ID until killed
//   move    DIR FROM TO EMPLOYEE COUNT
//                                  move EMPLOYEE from unit FROM to unit TO and back, COUNT moves
//                                  in all (M <n> <from> <to>); exits 3 when it is not in the source
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
    explicit Workstation(const std::string& dir)
        : files(DataDirectory(dir), notifier), counters(files),
          records(files, counters, counters.next(Counter::Session))
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

int run(const std::vector<std::string>& args)
{
    if (args.size() < 2)
        return 64;
    const std::string& command = args[0];
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
