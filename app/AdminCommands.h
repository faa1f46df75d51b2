// The commands of the admin tool taviro-admin, kept apart from main() so that tests can run them
// in-process: the command line is parsed, one command runs on the data directory, and every
// message goes out in Polish.
#pragma once

#include "SharedFiles.h"

#include <cstddef>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace taviro {
class Clock;
}

namespace taviro::admin {

// Exit codes of the tool.
enum ExitCode : int
{
    kSuccess = 0,
    kRefused = 1, // the input was not acceptable; nothing was written
    kFailure = 2, // an input/output or encoding error, or an unusable data directory
    kUsage = 64,  // unknown command or option, wrong number of arguments
};

struct Console
{
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool interactive = false;     // standard input is a terminal: prompt before reading it
    const Clock* clock = nullptr; // today's date for the deadlines; null: the computer's clock
};

// What a command gets to work with.
struct CommandContext
{
    SharedFileAccess& files;
    const std::vector<std::string>& arguments; // the command's own arguments
    Console& console;
};

// The argument count of a command that reads options of its own (after its name).
inline constexpr std::size_t kOwnOptions = static_cast<std::size_t>(-1);

struct Command
{
    std::string_view name;
    std::string_view argumentNames; // as shown in the usage text, e.g. "PLIK"; empty for none
    std::size_t argumentCount;
    std::string_view description;
    int (*run)(CommandContext& context);
    // Whether the start-up removal of old temporary files is left out: the check reports them
    // instead, and without --repair changes nothing.
    bool keepsTemporaryFiles = false;
};

// Every command the tool knows, in the order of the usage text.
std::span<const Command> commands();

std::string usageText();

// Runs the tool: arguments are those after the program name. The data directory follows from
// --data-dir DIR (or --data-dir=DIR), otherwise it is the folder of the executable.
int runAdminTool(const std::vector<std::string>& arguments, Console& console);

// set-admin-password: reads one line from standard input, trims it and stores it upper-cased as
// the administrator password in Admin.dat.
int setAdministratorPassword(CommandContext& context);

// import FILE: imports units and employees from the file (see importRegister) with a session
// number of its own. Prints "taken=N units_added=U employees_added=E" and, on a line of its own,
// the encoding the file was read in, and exits 0 when at least one line was taken; exits 1 with
// the format warning when none was, or with the refusal when the file holds text that cannot be
// stored (nothing is written then, not even a session number); 2 when the file cannot be read or
// a data file fails (the message then says how much was imported before).
int importUnitsAndEmployees(CommandContext& context);

} // namespace taviro::admin
