#include "DataCheckAccess.h"
#include "DataCheckText.h"

#include "Accounts.h"
#include "Counters.h"
#include "RecordText.h"
#include "TextCodec.h"

#include <algorithm>

namespace taviro::check {
namespace {

// Why a stored line is not what the pair encoding writes, or nothing when it is. The encoder is the
// measure: a line it would write again from what it decodes to is whole.
std::optional<std::string> encodingFault(std::string_view line)
{
    const std::string again = pairEncode(pairDecode(line));
    if (again == line)
        return std::nullopt;
    const auto differs = std::mismatch(again.begin(), again.end(), line.begin(), line.end());
    const auto column = static_cast<std::size_t>(differs.second - line.begin());
    if (column >= again.size())
        return "wiersz ma nieparzystą liczbę znaków, więc ostatni nie tworzy pary";
    return "znak " + quoted(line.substr(column, 1)) + " w kolumnie " + std::to_string(column + 1) +
           " nie należy do zapisu kont";
}

} // namespace

void checkUserLines(const std::string& file, std::string_view content,
                    const std::function<bool(long long unit)>& unitExists, std::vector<DataFinding>& findings)
{
    const auto add = [&](std::size_t line, std::string text) { findings.push_back({file, line, std::move(text)}); };
    std::size_t number = 0;
    for (const LineSpan& span : Lines(content)) {
        ++number;
        if (span.text.empty())
            continue; // the readers skip it too
        if (const auto fault = encodingFault(span.text)) {
            add(number, "wiersz konta użytkownika nie daje się odczytać: " + *fault);
            continue;
        }
        const std::string decoded = cp1250ToUtf8(pairDecode(span.text));
        const UserAccount account = parseUserLine(decoded);
        if (userLineText(account) != decoded) {
            add(number, "odczytany wiersz konta użytkownika nie składa się z siedmiu pól zakończonych znakiem "
                        "końca wiersza");
            continue;
        }
        const std::string who =
            account.identifier.empty() ? std::string("bez identyfikatora") : "„" + account.identifier + "”";
        std::size_t start = 0;
        while (start < account.units.size()) {
            std::size_t hash = account.units.find('#', start);
            if (hash == std::string::npos)
                hash = account.units.size();
            const std::string element = account.units.substr(start, hash - start);
            start = hash + 1;
            const auto unit = allDigits(element) ? parseInteger(element) : std::nullopt;
            if (!unit)
                add(number,
                    "lista komórek konta " + who + " zawiera „" + element + "”, co nie jest identyfikatorem komórki");
            else if (!unitExists(*unit))
                add(number, "konto " + who + " ma dostęp do komórki " + identifierText(*unit) +
                                ", której nie ma w pliku Cell.dat");
        }
    }
}

void checkSharing(const SharedFileAccess& files, const std::vector<std::string>& dataFiles,
                  std::vector<DataFinding>& findings)
{
    const auto look = [&](const std::string& file, const std::string& kind) {
        if (platform::lacksFolderSharing(files.fullPath(file)))
            findings.push_back({file, 0,
                                kind + " nie ma uprawnień odczytu i zapisu, które jego katalog daje innym "
                                       "użytkownikom; na innych stanowiskach program nie będzie mógł go użyć"});
    };
    for (const std::string& name : dataFiles)
        look(name, "plik danych");
    for (const std::string& name : filesIn(files.fullPath("Locks")))
        look(relativeName({"Locks", name}), "plik blokady");
}

std::vector<std::string> filesIn(const std::string& folder, std::error_code* error)
{
    std::vector<std::string> names;
    std::error_code listing;
    std::filesystem::directory_iterator entries(pathOf(folder), listing);
    for (const std::filesystem::directory_iterator end; !listing && entries != end; entries.increment(listing)) {
        std::error_code ignored;
        if (entries->is_regular_file(ignored))
            names.push_back(utf8Of(entries->path().filename()));
    }
    if (error)
        *error = listing;
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace taviro::check
