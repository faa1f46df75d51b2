// A generated office for the benchmarks: units of employees, each employee with ten appraisals,
// written as the program writes them (Windows-1250, CR LF) into a fresh folder; the floor every
// reading is measured against (the same files opened, read whole and closed, one after another);
// and the timing helpers the summaries use.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace taviro::bench {

inline constexpr int kAppraisalsPerEmployee = 10;

// Names for the generated people, every Polish letter with a diacritic among them.
inline constexpr const char* kFirstNames[] = {"Anna",     "Małgorzata", "Żaneta",   "Łucja",  "Jan",
                                              "Piotr",    "Świętosław", "Grzegorz", "Bożena", "Jadwiga",
                                              "Zdzisław", "Agnieszka",  "Łukasz",   "Ewa"};
inline constexpr const char* kSurnames[] = {"Nowak",       "Kowalska",   "Wiśniewski", "Wójcik",    "Kamińska",
                                            "Lewandowski", "Zieliński",  "Szymańska",  "Woźniak",   "Dąbrowski",
                                            "Kozłowska",   "Jankowski",  "Mazur",      "Krawczyk",  "Piotrowska",
                                            "Grabowski",   "Nowakowska", "Pawłowski",  "Michalska", "Król"};

// One generated unit: what the tree must show and the files the fill reads.
struct UnitData
{
    int id = 0;
    int employees = 0;
    int liveAppraisals = 0;
    std::vector<std::string> files; // full paths: the employee file, then each live employee's file
    std::uint64_t bytes = 0;
};

// The units get identifiers 1, 2, … in the order given. Every twentieth employee record is a
// deleted one with no appraisal file; of each employee's ten appraisals two are deleted.
std::vector<UnitData> writeDataDirectory(const std::filesystem::path& folder, const std::vector<int>& unitSizes);

// A new folder of the system's temporary folder, its name made of the stem and a random number.
std::filesystem::path freshFolder(const std::string& stem);

// Each file opened, read whole into the buffer (reused) and closed; the bytes read.
std::uint64_t readPlainly(const std::vector<std::string>& files, std::vector<char>& buffer);

double millisecondsOf(const std::function<void()>& run);
double median(std::vector<double> values);

} // namespace taviro::bench
