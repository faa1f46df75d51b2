// Two workstations on one appraisal: while one has the sheet open, another saves the same record.
// The first one's save must see that and leave the other's change in place.
#include "ChildProcess.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;

namespace {

const std::string kWorker = TAVIRO_STORE_WORKER;

} // namespace

TEST(AppraisalSaveProcesses, ASaveOverARecordAnotherWorkstationChangedIsRefused)
{
    TestStore store;
    RecordLines record = appraisalRecord("000001", "31-12-2025");
    record.insert(record.begin() + 2, "VALUE=opened");
    store.dir.write("Gr000007.dat", recordFile({record}));
    AppraisalRegister appraisals(store.records);

    // This workstation opens the sheet; then another one saves the same appraisal.
    const Fields readAtOpen = appraisals.read("000007", "000001");
    ChildProcess other(kWorker, {"rewrite", store.dir.directory().path(), "Gr000007.dat", "000001", "1"},
                       store.dir.file("other.out"));
    ASSERT_EQ(other.wait(), 0);
    const std::string afterOther = store.dir.read("Gr000007.dat");
    ASSERT_NE(afterOther.find("VALUE=0"), std::string::npos);

    const Fields mine = {{"VALUE=", "mine"}, {"SECTIONDDATE2=", "30-06-2026"}};
    EXPECT_EQ(appraisals.replaceIfUnchanged("000007", "000001", readAtOpen, mine),
              AppraisalRegister::Replacement::ChangedMeanwhile);
    EXPECT_EQ(store.dir.read("Gr000007.dat"), afterOther) << "the other workstation's save stays";

    // Read afresh, the same save goes through.
    EXPECT_EQ(appraisals.replaceIfUnchanged("000007", "000001", appraisals.read("000007", "000001"), mine),
              AppraisalRegister::Replacement::Replaced);
    EXPECT_EQ(appraisals.liveAppraisals("000007"), (std::vector<AppraisalEntry>{{"000001", "30-06-2026"}}));
}
