// libFuzzer entry for the appraisal record: any bytes as a Gr file. The first live appraisal the tree
// would list (or "000001" when there is none) is read by identifier into a sheet, as the view and
// the continue commands read it. Besides not crashing: the sheet saved as a new record and read back
// keeps its level grid, criteria and numbers, and saved and read once more comes back unchanged (the
// first save may trim what the file held; after that nothing changes any more).
#include "AppraisalRecord.h"
#include "Counters.h"
#include "FuzzSupport.h"
#include "RecordFiles.h"
#include "RecordKeys.h"
#include "TextCodec.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace taviro;
using taviro::fuzz::require;

constexpr std::string_view kFile = "Gr000001.dat";
constexpr std::string_view kSaved = "Gr000002.dat";

using Fixture = taviro::fuzz::RecordStore;

std::string firstListedAppraisal(std::string_view content)
{
    constexpr std::string_view wanted[] = {keys::appraisal::kPeriodEnd};
    LiveRecordScanner scanner(keys::appraisal::kDelete, wanted);
    scanner.start(content);
    return scanner.next() ? cp1250ToUtf8(scanner.id()) : std::string("000001");
}

// The sheet saved as a new record (the file holds nothing else) and read back.
Appraisal savedAndRead(Fixture& fixture, const Appraisal& sheet)
{
    fixture.folder.remove("data/" + std::string(kSaved));
    const std::string id = fixture.records.add(kSaved, RecordKind::Appraisal, appraisalFields(sheet));
    const Fields fields = fixture.records.readById(kSaved, id);
    require(!fields.empty(), "a saved appraisal can be read by its identifier");
    Appraisal read;
    readAppraisal(fields, read);
    read.id.clear(); // every save draws a new one
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Fixture fixture;
    const std::string_view content(reinterpret_cast<const char*>(data), size);

    fixture.folder.write("data/" + std::string(kFile), content);
    Appraisal stored;
    readAppraisal(fixture.records.readById(kFile, firstListedAppraisal(content)), stored);

    const Appraisal once = savedAndRead(fixture, stored);
    // The save trims texts; the grid, the chosen criteria (as many as there are places for) and the
    // numbers stay as they were.
    const std::size_t criteria = std::min(stored.criteria.size(), std::size_t{keys::appraisal::kCriterionSlots});
    require(once.rows == stored.rows, "a saved sheet keeps its level grid");
    require(std::equal(once.criteria.begin(), once.criteria.end(), stored.criteria.begin(),
                       stored.criteria.begin() + static_cast<std::ptrdiff_t>(criteria)),
            "a saved sheet keeps its criteria");
    require(once.overallLevel == stored.overallLevel && once.writtenMonth == stored.writtenMonth &&
                once.appointment == stored.appointment,
            "a saved sheet keeps its level, month and kind of employment");
    const Appraisal twice = savedAndRead(fixture, once);
    require(twice == once, "a saved sheet saved again reads back unchanged");
    return 0;
}
