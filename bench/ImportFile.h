// The import file of the benchmarks: units given by their lines one after another, each employee
// with a name of its own, eleven tab-separated fields a line, Windows-1250 with CR LF.
#pragma once

#include <filesystem>
#include <string>

namespace taviro::bench {

// Writes "Import.txt" into the folder and returns its path.
std::string writeImportFile(const std::filesystem::path& folder, int units, int employeesPerUnit);

} // namespace taviro::bench
