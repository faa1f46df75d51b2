// Identifier counters: file format, widths and growth past six digits.
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;

namespace {

std::string littleEndian(std::uint32_t value)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

} // namespace

TEST(Counters, AMissingCounterStartsAtOne)
{
    TestStore store;
    EXPECT_EQ(store.counters.next(Counter::Cell), "000001");
    EXPECT_EQ(store.dir.read("Cell.cou"), littleEndian(2));
    EXPECT_EQ(store.counters.next(Counter::Cell), "000002");
    EXPECT_EQ(store.counters.next(Counter::Session), "00000001");
    EXPECT_EQ(store.counters.next(Counter::Unique), "0000000001");
    EXPECT_EQ(store.counters.next(Counter::Person), "000001") << "each counter is independent";
    EXPECT_EQ(store.counters.next(Counter::Document), "000001");
    EXPECT_EQ(store.counters.next(Counter::Grade), "000001");
}

TEST(Counters, GrowPastSixDigits)
{
    TestStore store;
    store.dir.write("Cell.cou", littleEndian(999999));
    EXPECT_EQ(store.counters.next(Counter::Cell), "999999");
    EXPECT_EQ(store.counters.next(Counter::Cell), "1000000");
    EXPECT_EQ(employeesFileName(identifierText(1000000)), "Pe1000000.dat");
    EXPECT_EQ(store.dir.read("Cell.cou"), littleEndian(1000001));
}

TEST(Counters, IdentifierText)
{
    EXPECT_EQ(identifierText(12), "000012");
    EXPECT_EQ(identifierText(12, 8), "00000012");
    EXPECT_EQ(identifierText(1234567), "1234567");
}

TEST(Counters, AnEmptyCounterFileCountsAsNewButADamagedOneIsAnError)
{
    TestStore store;
    store.dir.write("Grade.cou", ""); // creation cut short before its first write
    EXPECT_EQ(store.counters.next(Counter::Grade), "000001");
    // Too short, or a value no counter ever holds (it starts at 1).
    for (const std::string& damaged : {std::string("ab"), littleEndian(0), littleEndian(0xFFFFFFFBu)}) {
        store.dir.write("Grade.cou", damaged);
        EXPECT_THROW(store.counters.next(Counter::Grade), IoError);
        EXPECT_EQ(store.dir.read("Grade.cou"), damaged) << "a damaged counter is never overwritten";
    }
    // The message says what is wrong, with the noun in the form Polish gives it after the number.
    const auto messageFor = [&](const std::string& damaged) {
        store.dir.write("Grade.cou", damaged);
        try {
            store.counters.next(Counter::Grade);
        } catch (const IoError& error) {
            return std::string(error.what());
        }
        return std::string("<no error>");
    };
    EXPECT_NE(messageFor("ab").find("plik licznika jest uszkodzony (2 bajty)"), std::string::npos);
    EXPECT_NE(messageFor(littleEndian(0)).find("plik licznika jest uszkodzony (wartość 0)"), std::string::npos);
    // The largest value can be handed out no more: the next one would not fit.
    EXPECT_NE(messageFor(littleEndian(0x7FFFFFFFu)).find("największą możliwą wartość"), std::string::npos);
    EXPECT_EQ(store.dir.read("Grade.cou"), littleEndian(0x7FFFFFFFu));
}

TEST(Counters, AFailedWriteKeepsTheOldValue)
{
    TestStore store;
    store.dir.write("Person.cou", littleEndian(7));
    FailingFiles faults("Person.cou", 0);
    store.files.setFaultInjector(&faults);
    EXPECT_THROW(store.counters.next(Counter::Person), IoError);
    store.files.setFaultInjector(nullptr);
    EXPECT_EQ(store.counters.next(Counter::Person), "000007");
}

TEST(Counters, AWaitingDrawNamesTheCounterFileInItsWarning)
{
    TestStore store;
    std::optional<SharedFile> holder = store.files.openWithRetry("Cell.cou", OpenKind::BinaryOpenOrCreate);
    store.notifier.onWarning = [&] { holder.reset(); };
    EXPECT_EQ(store.counters.next(Counter::Cell), "000001");
    ASSERT_EQ(store.notifier.warnings.size(), 1u);
    EXPECT_EQ(store.notifier.warnings[0], "UWAGA! Nastąpiło przeterminowanie dostępu do pliku - Cell.cou - prosze "
                                          "poinformowac o tym obsługę informatyczną firmy.");
}
