#include "AdminCommands.h"

#include "BackupCommand.h"
#include "CheckCommand.h"
#include "DueCommand.h"

#include "Accounts.h"
#include "DataDirectory.h"
#include "IoError.h"
#include "Register.h"
#include "TextCodec.h"
#include "WaitNotifier.h"

#include <array>
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>

namespace taviro::admin {
namespace {

constexpr std::string_view kDataDirOption = "--data-dir";

// Adding a command means one function and one row here.
const std::array<Command, 5> kCommands = {{
    {"set-admin-password", "", 0,
     "ustawia hasło administratora (plik Admin.dat); nowe hasło jest czytane jako jeden wiersz z wejścia "
     "standardowego",
     &setAdministratorPassword},
    {"import", "PLIK", 1,
     "importuje komórki organizacyjne i pracowników z pliku tekstowego (Windows-1250, UTF-8 albo UTF-16 "
     "ze znacznikiem BOM; pola rozdzielone tabulatorem, 11 pól w wierszu); dodaje tylko to, czego jeszcze nie ma",
     &importUnitsAndEmployees},
    {"due", "[--unit ID] [--before DD-MM-RRRR] [--csv PLIK]", kOwnOptions,
     "terminy ocen okresowych: kogo i do kiedy trzeba ocenić oraz kto jest po terminie, na ekranie albo "
     "w pliku CSV",
     &listDueAppraisals},
    {"check", "[--repair]", kOwnOptions,
     "sprawdza wszystkie pliki danych (rekordy, kodowanie, liczniki, identyfikatory, pliki komórek, pracowników "
     "i ocen, dokumenty notatek, folder Temp, konta, uprawnienia) i wypisuje znalezione problemy; nie zmienia "
     "żadnego pliku danych, chyba że z --repair: wtedy naprawia to, co da się naprawić bez utraty danych, "
     "a poprzednią zawartość zmienianych plików zachowuje w folderze Kopie",
     &checkDataFiles, true},
    {"backup", "[--verify] KATALOG", kOwnOptions,
     "kopia zapasowa katalogu danych do nowego albo pustego KATALOGU, wykonywana w czasie pracy stanowisk: "
     "każdy plik danych kopiowany pod blokadą, razem z licznikami, kontami, dokumentami i tekstami pomocy, "
     "oraz spis kopii z rozmiarem i sumą SHA-256 każdego pliku; z --verify sprawdza zgodność kopii ze spisem",
     &backUpDataFiles},
}};

struct CommandLine
{
    std::vector<std::string> dataDirArguments; // what DataDirectory::fromCommandLine gets
    std::string command;
    std::vector<std::string> commandArguments;
    bool help = false;
};

const Command* findCommand(std::string_view name);

bool takesOwnOptions(std::string_view commandName)
{
    const Command* command = findCommand(commandName);
    return command && command->argumentCount == kOwnOptions;
}

// Splits the options from the command and its arguments; options may stand anywhere. An error
// text when the line cannot be understood.
std::optional<CommandLine> parse(const std::vector<std::string>& arguments, std::string& error)
{
    CommandLine line;
    const std::string dataDirPrefix = std::string(kDataDirOption) + "=";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == kDataDirOption) {
            // Without its value the executable's folder would be used without anybody noticing.
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                error = "Opcja --data-dir wymaga nazwy katalogu.";
                return std::nullopt;
            }
            line.dataDirArguments = {argument, arguments[i + 1]};
            ++i;
        } else if (argument.rfind(dataDirPrefix, 0) == 0) {
            if (argument.size() == dataDirPrefix.size()) {
                error = "Opcja --data-dir wymaga nazwy katalogu.";
                return std::nullopt;
            }
            line.dataDirArguments = {argument};
        } else if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else if (argument.size() > 1 && argument[0] == '-' && !takesOwnOptions(line.command)) {
            error = "Nieznana opcja: " + argument;
            return std::nullopt;
        } else if (line.command.empty()) {
            line.command = argument;
        } else {
            line.commandArguments.push_back(argument);
        }
    }
    return line;
}

const Command* findCommand(std::string_view name)
{
    for (const Command& command : kCommands) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

bool isDirectory(const std::string& utf8Path)
{
    std::u8string path;
    for (const char c : utf8Path)
        path += static_cast<char8_t>(c);
    std::error_code ignored;
    return std::filesystem::is_directory(std::filesystem::path(path), ignored);
}

} // namespace

std::span<const Command> commands()
{
    return kCommands;
}

std::string usageText()
{
    std::string text = "Użycie: taviro-admin [--data-dir KATALOG] POLECENIE [ARGUMENTY]\n"
                       "Katalog danych: KATALOG z opcji --data-dir, a bez niej katalog programu.\n"
                       "Polecenia:\n";
    for (const Command& command : kCommands) {
        text += "  ";
        text += command.name;
        if (!command.argumentNames.empty()) {
            text += ' ';
            text += command.argumentNames;
        }
        text += "\n      ";
        text += command.description;
        text += '\n';
    }
    return text;
}

int runAdminTool(const std::vector<std::string>& arguments, Console& console)
{
    std::string error;
    const auto line = parse(arguments, error);
    if (!line) {
        console.err << error << '\n' << usageText();
        return kUsage;
    }
    if (line->help) {
        console.out << usageText();
        return kSuccess;
    }
    if (line->command.empty()) {
        console.err << "Nie podano polecenia.\n" << usageText();
        return kUsage;
    }
    const Command* command = findCommand(line->command);
    if (!command) {
        console.err << "Nieznane polecenie: " << line->command << '\n' << usageText();
        return kUsage;
    }
    if (command->argumentCount != kOwnOptions && line->commandArguments.size() != command->argumentCount) {
        console.err << "Niewłaściwa liczba argumentów polecenia " << command->name << ".\n" << usageText();
        return kUsage;
    }

    try {
        const DataDirectory directory = DataDirectory::fromCommandLine(line->dataDirArguments);
        // The data directory is never made up here: a mistyped path would leave the account files
        // in a folder that no workstation reads.
        if (!isDirectory(directory.path())) {
            console.err << "Katalog danych nie istnieje: " << directory.path() << '\n';
            return kFailure;
        }
        // An error that waiting does not mend (no permission, a read-only folder) ends the command
        // with its message (an IoError, below) instead of a wait for ever.
        ConsoleWaitNotifier notifier;
        SharedFileAccess files(directory, notifier);
        if (!command->keepsTemporaryFiles)
            files.removeStaleTemporaryFiles(); // what a crash left in Temp, as at every start
        CommandContext context{files, line->commandArguments, console};
        return command->run(context);
    } catch (const IoError& failure) {
        console.err << failure.what() << '\n';
    } catch (const EncodingError& failure) {
        console.err << failure.what() << '\n';
    } catch (const std::exception& failure) {
        console.err << "Nieoczekiwany błąd: " << failure.what() << '\n';
    }
    return kFailure;
}

int setAdministratorPassword(CommandContext& context)
{
    Console& console = context.console;
    if (console.interactive)
        console.err << "Nowe hasło administratora: " << std::flush;
    std::string line;
    std::getline(console.in, line);
    // trimmed() also drops the CR of a line typed on Windows.
    const std::string password = trimmed(line);
    if (password.empty()) {
        console.err << "Hasło administratora nie może być puste. Plik Admin.dat nie został zmieniony.\n";
        return kRefused;
    }
    // Stored upper-cased, as the administration page stores it; the login ignores letter case.
    Accounts(context.files).writeAdministratorPassword(polishUpper(password));
    console.out << "Hasło administratora zostało zapisane w pliku Admin.dat.\n";
    return kSuccess;
}

int importUnitsAndEmployees(CommandContext& context)
{
    const std::string& path = context.arguments.at(0);
    Console& console = context.console;
    const auto unreadable = [&](const std::string& reason) {
        console.err << "Nie można odczytać pliku importu " << path << ": " << reason << '\n';
        return kFailure;
    };
    // The file is opened and read through before a session number is drawn, so that a mistyped name
    // or a file that is refused leaves the data directory as it was.
    std::optional<ImportSource> source;
    try {
        source.emplace(path);
        source->check();
    } catch (const IoError& failure) {
        return unreadable(failure.systemText());
    }
    if (!source->check().empty()) {
        console.err << source->check() << '\n';
        return kRefused;
    }

    Counters counters(context.files);
    RecordFiles records(context.files, counters, counters.next(Counter::Session));
    ImportResult result;
    try {
        result = importRegister(records, *source);
    } catch (const ImportInterrupted& failure) {
        console.err << failure.what() << '\n'; // says how much was imported before
        return kFailure;
    } catch (const IoError& failure) {
        if (failure.relativeName() != path)
            throw; // a data file: reported like any other input/output error
        return unreadable(failure.systemText());
    }
    if (result.taken == 0) {
        console.err << importFormatErrorText() << '\n';
        return kRefused;
    }
    console.out << "taken=" << result.taken << " units_added=" << result.unitsAdded
                << " employees_added=" << result.employeesAdded << '\n';
    console.out << "Kodowanie pliku importu: " << importEncodingName(result.encoding) << '\n';
    return kSuccess;
}

} // namespace taviro::admin
