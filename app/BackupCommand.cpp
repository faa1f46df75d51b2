#include "BackupCommand.h"

#include "DataBackup.h"
#include "IoError.h"
#include "TextCodec.h"

#include <ctime>
#include <ostream>

namespace taviro::admin {
namespace {

constexpr int kDamaged = 1; // the copy is incomplete, or differs from its manifest
constexpr std::string_view kVerifyOption = "--verify";

std::string localTimeText()
{
    const std::time_t now = std::time(nullptr);
    char text[32] = {};
    if (const std::tm* local = std::localtime(&now))
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
    return text;
}

int makeCopy(CommandContext& context, const std::string& destination)
{
    Console& console = context.console;
    if (const auto refusal = backupRefusal(destination)) {
        console.err << *refusal << '\n';
        return kRefused;
    }
    const std::string source = context.files.directory().path();
    const BackupReport report =
        backupDataDirectory(context.files, destination, "Kopia katalogu danych " + source + " z " + localTimeText());
    for (const std::string& warning : report.warnings)
        console.err << warning << '\n';
    std::uint64_t bytes = 0;
    for (const BackupFile& file : report.files)
        bytes += file.size;
    console.out << "Skopiowano " << polishCount(static_cast<long long>(report.files.size()), "plik", "pliki", "plików")
                << " (" << polishCount(static_cast<long long>(bytes), "bajt", "bajty", "bajtów") << ") do katalogu "
                << destination << "; spis kopii: " << kBackupManifestName << ".\n";
    if (!report.warnings.empty()) {
        console.out << "Kopia jest niepełna: brakuje w niej "
                    << polishCount(static_cast<long long>(report.warnings.size()), "pliku", "plików", "plików")
                    << " wymienionych wyżej.\n";
        return kDamaged;
    }
    return kSuccess;
}

int verifyCopy(CommandContext& context, const std::string& destination)
{
    const BackupVerification verification = verifyBackup(destination);
    for (const std::string& problem : verification.problems)
        context.console.out << problem << '\n';
    context.console.out << verificationSummary(verification) << '\n';
    return verification.problems.empty() ? kSuccess : kDamaged;
}

} // namespace

int backUpDataFiles(CommandContext& context)
{
    Console& console = context.console;
    bool verify = false;
    std::vector<std::string> folders;
    for (const std::string& argument : context.arguments) {
        if (argument == kVerifyOption) {
            verify = true;
        } else if (argument.starts_with("--")) {
            console.err << "Nieznana opcja polecenia backup: " << argument << '\n';
            return kUsage;
        } else {
            folders.push_back(argument);
        }
    }
    if (folders.size() != 1) {
        console.err << "Polecenie backup potrzebuje dokładnie jednego katalogu kopii.\n";
        return kUsage;
    }
    const std::string destination = platform::absolutePath(folders.front());
    try {
        return verify ? verifyCopy(context, destination) : makeCopy(context, destination);
    } catch (const IoError& failure) {
        console.err << (verify ? "Nie można było sprawdzić kopii: " : "Nie można było wykonać kopii: ")
                    << failure.what() << '\n';
        return kFailure;
    }
}

} // namespace taviro::admin
