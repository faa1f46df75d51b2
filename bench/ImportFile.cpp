#include "ImportFile.h"
#include "GeneratedOffice.h"

#include "TextCodec.h"

#include <fstream>

namespace taviro::bench {
namespace {

const char* const kUnitNames[] = {"Wydział Finansowy",
                                  "Wydział Organizacyjny",
                                  "Referat Gospodarki Komunalnej",
                                  "Urząd Stanu Cywilnego",
                                  "Straż Miejska",
                                  "Wydział Oświaty i Sportu",
                                  "Biuro Rady",
                                  "Referat Podatków i Opłat",
                                  "Wydział Geodezji",
                                  "Kancelaria"};

} // namespace

std::string writeImportFile(const std::filesystem::path& folder, int units, int employeesPerUnit)
{
    std::string text;
    for (int unit = 0; unit < units; ++unit) {
        const std::string unitName =
            std::string(kUnitNames[unit % 10]) + (unit >= 10 ? " " + std::to_string(unit / 10 + 1) : "");
        for (int e = 0; e < employeesPerUnit; ++e) {
            const int n = unit * employeesPerUnit + e;
            const std::string line = "Urząd Miasta i Gminy\tŁęczyca\t" + unitName +
                                     "\tJan Kowalski\tNaczelnik Wydziału\t" + kFirstNames[n % 14] + "\t" +
                                     kSurnames[(n / 14) % 20] + "\tInspektor\t" + std::to_string(n % 2) +
                                     "\t01-02-2010\t15-06-2018";
            text += utf8ToCp1250(line) + "\r\n";
        }
    }
    const auto path = folder / "Import.txt";
    std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    return path.string();
}

} // namespace taviro::bench
