// User accounts: the pair encoding of the account files, the login check, the rights and the
// unit access list.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace taviro;
using namespace taviro::test;

namespace {

using Outcome = LoginResult::Outcome;

// A rights string granting exactly the right at the given position (0-based), or nothing.
std::string onlyRight(std::optional<std::size_t> position)
{
    std::string rights(14, '0');
    if (position)
        rights[*position] = '1';
    return rights;
}

UserAccount account(std::string identifier, std::string password, std::string rights = onlyRight(std::nullopt),
                    std::string units = "")
{
    return UserAccount{
        "Jan",           "Kowalski", "Inspektor", std::move(identifier), std::move(password), std::move(rights),
        std::move(units)};
}

// The file line of an account exactly as the program stores it.
std::string encodedLine(const UserAccount& user)
{
    return pairEncode(utf8ToCp1250(userLineText(user)));
}

void writeAdminFile(TestStore& store, const std::string& password)
{
    store.dir.write("Admin.dat", pairEncode(utf8ToCp1250(password)) + "\r\n");
}

} // namespace

// ---- Pair encoding ----

TEST(PairEncoding, EveryByteValueSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string line = pairEncode(all);
    ASSERT_EQ(line.size(), 512u);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(pairDecode(line), all);
}

TEST(PairEncoding, TableHasThirtyTwoDistinctWrittenCharactersAndNoLineBreak)
{
    const std::string_view table = pairEncodingTable();
    ASSERT_EQ(table.size(), 36u);
    EXPECT_EQ(std::set<char>(table.begin(), table.begin() + 32).size(), 32u);
    EXPECT_EQ(table.find_first_of("\r\n"), std::string_view::npos);
    EXPECT_NE(table.substr(0, 10), "0123456789");

    // Only the first 32 positions are ever written: high halves from 0–15, low halves from 16–31.
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string line = pairEncode(all);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto position = table.find(line[i]);
        if (i % 2 == 0)
            EXPECT_LT(position, 16u) << i;
        else
            EXPECT_TRUE(position >= 16 && position < 32) << i;
    }
}

TEST(PairEncoding, MalformedLinesDecodeByTheFixedRules)
{
    const std::string_view t = pairEncodingTable();
    const std::string pair = pairEncode("\x5A");

    // An odd last character is ignored.
    EXPECT_EQ(pairDecode(pair + pair.substr(0, 1)), "\x5A");
    EXPECT_EQ(pairDecode(pair.substr(0, 1)), "");
    // Unknown first character: position 0; unknown second: adds nothing.
    EXPECT_EQ(pairDecode("?" + pair.substr(1, 1)), "\x0A");
    EXPECT_EQ(pairDecode(pair.substr(0, 1) + "?"), "\x50");
    EXPECT_EQ(pairDecode("??"), std::string(1, '\0'));
    // A low half taken from the high-half part of the table goes below zero: value mod 256.
    EXPECT_EQ(pairDecode(std::string{t[0], t[1]}), "\xF1");
    EXPECT_EQ(pairDecode(std::string{t[5], t[3]}), "\x43");
    // Positions 32–35 are never written but decode like the others, modulo 256.
    EXPECT_EQ(pairDecode(std::string{t[33], t[20]}), "\x14");
    EXPECT_EQ(pairDecode(std::string{t[35], t[35]}), "\x43");
    EXPECT_EQ(pairDecode(std::string{t[4], t[32]}), "\x50");
}

TEST(PairEncoding, APolishLetterIsOneByteAndOnePair)
{
    const std::string word = utf8ToCp1250("Łódź");
    ASSERT_EQ(word.size(), 4u);
    const std::string line = pairEncode(word);
    EXPECT_EQ(line.size(), 8u);
    EXPECT_EQ(line.substr(0, 2), pairEncode(utf8ToCp1250("Ł")));
    EXPECT_EQ(cp1250ToUtf8(pairDecode(line)), "Łódź");
}

TEST(UserLine, SevenFieldsEachEndedByCrLf)
{
    const UserAccount user{"Anna", "Żak", "", "anna", "Tajne", onlyRight(0), "000003#000017#"};
    EXPECT_EQ(userLineText(user), "Anna\r\nŻak\r\n\r\nanna\r\nTajne\r\n10000000000000\r\n000003#000017#\r\n");
    EXPECT_EQ(parseUserLine(userLineText(user)), user);
    // A damaged line: missing fields are empty, a lone line feed still separates.
    EXPECT_EQ(parseUserLine("A\nB\r\nC"), (UserAccount{"A", "B", "C", "", "", "", ""}));
}

// ---- The account files ----

TEST(AccountFiles, UsersAreStoredOneEncodedLinePerAccount)
{
    TestStore store;
    Accounts accounts(store.files);
    const std::vector<UserAccount> users = {account("jan", "Hasło1", onlyRight(3), "000001#"),
                                            account("ewa", "x", onlyRight(13))};
    accounts.writeUsers(users);
    EXPECT_EQ(store.dir.read("Users.dat"), encodedLine(users[0]) + "\r\n" + encodedLine(users[1]) + "\r\n");
    EXPECT_EQ(accounts.readUsers(), users);
}

TEST(AccountFiles, AnEmptyListLeavesThePlaceholderLineThatNobodyCanUse)
{
    TestStore store;
    Accounts accounts(store.files);
    EXPECT_TRUE(accounts.readUsers().empty()); // no file yet
    accounts.writeUsers({});
    EXPECT_EQ(store.dir.read("Users.dat"), pairEncode("\r\n\r\n\r\n\r\n\r\n\r\n\r\n") + "\r\n");
    EXPECT_EQ(accounts.readUsers(), std::vector<UserAccount>{UserAccount{}});
    EXPECT_EQ(accounts.login("", "").outcome, Outcome::Refused);
    EXPECT_EQ(accounts.login("  ", " ").outcome, Outcome::Refused);
    EXPECT_FALSE(accounts.hasRight("", "A1"));
    EXPECT_EQ(accounts.unitAccessList(""), "");
}

TEST(AccountFiles, TextOutsideTheCodePageIsRefusedBeforeAnythingIsWritten)
{
    TestStore store;
    Accounts accounts(store.files);
    accounts.writeUsers({account("jan", "a")});
    const std::string before = store.dir.read("Users.dat");

    EXPECT_THROW(accounts.writeUsers({account("jan", "a"), account("ewa", "hasło€✓")}), EncodingError);
    EXPECT_THROW(accounts.writeUsers({account("李", "a")}), EncodingError);
    // A line break inside a field would move the unit list into the rights string on reading.
    EXPECT_THROW(accounts.writeUsers({account("jan", "a", onlyRight(std::nullopt), "\r\n11111111111111")}),
                 EncodingError);
    EXPECT_EQ(store.dir.read("Users.dat"), before);

    EXPECT_THROW(accounts.writeAdministratorPassword("ZAŻÓŁĆ✓"), EncodingError);
    EXPECT_FALSE(store.dir.exists("Admin.dat"));
    accounts.writeAdministratorPassword("ZAŻÓŁĆ");
    EXPECT_EQ(store.dir.read("Admin.dat"), pairEncode(utf8ToCp1250("ZAŻÓŁĆ")) + "\r\n");
}

TEST(AccountFiles, AFailedWriteKeepsTheOldAccounts)
{
    TestStore store;
    Accounts accounts(store.files);
    accounts.writeUsers({account("jan", "a")});
    const std::string before = store.dir.read("Users.dat");
    FailingFiles faults(relativeName({"Temp", "Users.dat.new"}), 0);
    store.files.setFaultInjector(&faults);
    EXPECT_THROW(accounts.writeUsers({account("ewa", "b")}), IoError);
    store.files.setFaultInjector(nullptr);
    EXPECT_EQ(store.dir.read("Users.dat"), before);
}

// ---- Login ----

TEST(Login, AdministratorInAnyLetterCaseWithThePasswordInAnyCase)
{
    TestStore store;
    Accounts accounts(store.files);
    accounts.writeAdministratorPassword("ŻÓŁW");
    for (const char* identifier : {"ADMINISTRATOR", "administrator", " AdMiNiStRaToR  "}) {
        const LoginResult result = accounts.login(identifier, "  żółw ");
        EXPECT_EQ(result.outcome, Outcome::Accepted) << identifier;
        EXPECT_EQ(result.user, "Administrator");
        EXPECT_EQ(result.password, "ŻÓŁW");
    }
    EXPECT_EQ(accounts.login("administrator", "zolw").outcome, Outcome::Refused);
    EXPECT_EQ(accounts.login("administrator", "").outcome, Outcome::Refused);
    EXPECT_EQ(accounts.login("admin", "żółw").outcome, Outcome::Refused);
}

TEST(Login, AdministratorCannotLogInWithoutAdminFileOrWithAnEmptyFirstLine)
{
    TestStore store;
    Accounts accounts(store.files);
    // An account called ADMINISTRATOR in the user file is never a way in.
    accounts.writeUsers({account("Administrator", "sekret")});
    EXPECT_EQ(accounts.login("administrator", "sekret").outcome, Outcome::Refused);

    store.dir.write("Admin.dat", "\r\n" + pairEncode("SEKRET") + "\r\n");
    EXPECT_EQ(accounts.login("administrator", "sekret").outcome, Outcome::Refused);
    EXPECT_EQ(accounts.login("administrator", " ").outcome, Outcome::Refused);

    writeAdminFile(store, "INNE");
    EXPECT_EQ(accounts.login("administrator", "sekret").outcome, Outcome::Refused);
    EXPECT_EQ(accounts.login("administrator", "inne").outcome, Outcome::Accepted);
}

TEST(Login, OrdinaryAccountIgnoresLetterCaseAndBlanksAndReportsTheStoredForms)
{
    TestStore store;
    Accounts accounts(store.files);
    accounts.writeUsers({account("ewa", "Pierwsze"), account("łucja", "Hasło"), account("ŁUCJA", "drugie")});

    LoginResult result = accounts.login("  ŁUCJA ", " HASŁO  ");
    EXPECT_EQ(result.outcome, Outcome::Accepted);
    EXPECT_EQ(result.user, "łucja");
    EXPECT_EQ(result.password, "Hasło");
    // The later line with the same identifier matches on its own password.
    result = accounts.login("Łucja", "DRUGIE");
    EXPECT_EQ(result.outcome, Outcome::Accepted);
    EXPECT_EQ(result.user, "ŁUCJA");

    EXPECT_EQ(accounts.login("łucja", "haslo").outcome, Outcome::Refused); // diacritics count
    EXPECT_EQ(accounts.login("ewa", "Hasło").outcome, Outcome::Refused);
    EXPECT_EQ(accounts.login("ewa", "").outcome, Outcome::Refused);
    EXPECT_EQ(accounts.login("", "Pierwsze").outcome, Outcome::Refused);
}

TEST(Login, OnlyTheAdministratorWithoutUserFile)
{
    TestStore store;
    Accounts accounts(store.files);
    writeAdminFile(store, "TAJNE");
    EXPECT_EQ(accounts.login("jan", "tajne").outcome, Outcome::Refused);
    EXPECT_EQ(accounts.login("Administrator", "tajne").outcome, Outcome::Accepted);
    EXPECT_FALSE(store.dir.exists("Users.dat"));
}

TEST(Login, AccountWithEmptyPasswordIsNeverAccepted)
{
    TestStore store;
    Accounts accounts(store.files);
    accounts.writeUsers({account("jan", "")});
    EXPECT_EQ(accounts.login("jan", "").outcome, Outcome::Refused);
    EXPECT_EQ(accounts.login("jan", "   ").outcome, Outcome::Refused);
}

TEST(Login, FileHeldByAWriterGivesReadErrorWithoutWaiting)
{
    TestStore store;
    Accounts accounts(store.files);
    accounts.writeUsers({account("jan", "a")});
    accounts.writeAdministratorPassword("B");
    {
        SharedFile writer = store.files.openWithRetry("Users.dat", OpenKind::TextAppend);
        const LoginResult result = accounts.login("jan", "a");
        EXPECT_EQ(result.outcome, Outcome::ReadError);
        EXPECT_NE(result.errorText.find("Users.dat"), std::string::npos) << result.errorText;
        EXPECT_TRUE(result.user.empty());
        // The administrator check does not touch the user file.
        EXPECT_EQ(accounts.login("administrator", "b").outcome, Outcome::Accepted);
    }
    {
        SharedFile writer = store.files.openWithRetry("Admin.dat", OpenKind::TextAppend);
        const LoginResult result = accounts.login("administrator", "b");
        EXPECT_EQ(result.outcome, Outcome::ReadError);
        EXPECT_NE(result.errorText.find("Admin.dat"), std::string::npos) << result.errorText;
    }
    EXPECT_EQ(store.notifier.waits, 0);
    // The check can be repeated once the writer is gone.
    EXPECT_EQ(accounts.login("jan", "a").outcome, Outcome::Accepted);
    EXPECT_EQ(accounts.login("administrator", "b").outcome, Outcome::Accepted);
}

TEST(Login, FailedReadGivesReadError)
{
    TestStore store;
    Accounts accounts(store.files);
    accounts.writeUsers({account("jan", "a")});
    FailingFiles faults("Users.dat", 0, true);
    store.files.setFaultInjector(&faults);
    const LoginResult result = accounts.login("jan", "a");
    EXPECT_EQ(result.outcome, Outcome::ReadError);
    EXPECT_FALSE(result.errorText.empty());
}

// ---- Rights ----

TEST(Rights, EachCodeIsGrantedByItsOwnPositionOnly)
{
    TestStore store;
    Accounts accounts(store.files);
    std::vector<UserAccount> users;
    for (std::size_t k = 0; k < kRightsCodes.size(); ++k)
        users.push_back(account("user" + std::to_string(k), "p", onlyRight(k)));
    accounts.writeUsers(users);

    for (std::size_t k = 0; k < kRightsCodes.size(); ++k) {
        for (std::size_t code = 0; code < kRightsCodes.size(); ++code) {
            EXPECT_EQ(accounts.hasRight("USER" + std::to_string(k), kRightsCodes[code]), k == code)
                << "user" << k << " " << kRightsCodes[code];
            EXPECT_EQ(accounts.mayRun("user" + std::to_string(k), kRightsCodes[code]), k == code);
        }
    }
    for (const std::string_view code : kRightsCodes) {
        EXPECT_TRUE(accounts.mayRun("Administrator", code));
        EXPECT_TRUE(accounts.mayRun("ADMINISTRATOR", code));
        EXPECT_FALSE(accounts.hasRight("Administrator", code)); // the rights check itself does not know it
    }
    EXPECT_FALSE(accounts.hasRight("user0", "Z9"));
    EXPECT_FALSE(accounts.hasRight("nobody", "A1"));
}

TEST(Rights, PolishIdentifierMatchesInEitherCase)
{
    TestStore store;
    Accounts accounts(store.files);
    accounts.writeUsers({account("żaneta", "p", onlyRight(10), "000005#")});
    EXPECT_TRUE(accounts.hasRight("ŻANETA", "C3"));
    EXPECT_EQ(accounts.unitAccessList("ŻANETA"), "000005#");
    EXPECT_FALSE(accounts.hasRight("ZANETA", "C3"));
}

TEST(Rights, ShortRightsStringIsPaddedNotOverrun)
{
    TestStore store;
    Accounts accounts(store.files);
    accounts.writeUsers({account("jan", "p", "1", ""), account("ewa", "p", "", "")});
    EXPECT_TRUE(accounts.hasRight("jan", "A1"));
    for (std::size_t code = 1; code < kRightsCodes.size(); ++code)
        EXPECT_FALSE(accounts.hasRight("jan", kRightsCodes[code]));
    for (const std::string_view code : kRightsCodes)
        EXPECT_FALSE(accounts.hasRight("ewa", code));
}

TEST(Rights, TwoLinesOfOneIdentifierGrantEitherRightButTheFirstUnitList)
{
    TestStore store;
    Accounts accounts(store.files);
    accounts.writeUsers({account("jan", "p", onlyRight(0), "000003#"), account("JAN", "q", onlyRight(8), "000017#")});
    EXPECT_TRUE(accounts.hasRight("Jan", "A1"));
    EXPECT_TRUE(accounts.hasRight("Jan", "C1"));
    EXPECT_FALSE(accounts.hasRight("Jan", "B1"));
    EXPECT_EQ(accounts.unitAccessList("jan"), "000003#");
}

TEST(Rights, NoUserFileMeansNoRightsAndNoUnits)
{
    TestStore store;
    Accounts accounts(store.files);
    EXPECT_FALSE(accounts.hasRight("jan", "A1"));
    EXPECT_FALSE(accounts.mayRun("jan", "A1"));
    EXPECT_TRUE(accounts.mayRun("administrator", "A1"));
    EXPECT_EQ(accounts.unitAccessList("jan"), "");
    EXPECT_FALSE(store.dir.exists("Users.dat"));
}

TEST(Rights, CheckWaitsForAWriterAndThenSeesTheNewContent)
{
    TestStore store;
    Accounts accounts(store.files);
    accounts.writeUsers({account("jan", "p")});
    auto writer = std::make_unique<SharedFile>(store.files.openWithRetry("Users.dat", OpenKind::TextAppend));
    // The writer adds a line granting B2 and lets go after a few retries of the reader.
    writer->append(encodedLine(account("jan", "p", onlyRight(5))) + "\r\n");
    store.notifier.onWait = [&](int waits) {
        if (waits == 3)
            writer.reset();
    };
    EXPECT_TRUE(accounts.hasRight("jan", "B2"));
    EXPECT_EQ(store.notifier.waits, 3);
}

TEST(Rights, RefusalTextNamesTheUser)
{
    EXPECT_EQ(refusalText("jan"), "Brak dostępu do funkcji dla użytkownika - jan.");
    EXPECT_TRUE(isAdministrator("administrator"));
    EXPECT_FALSE(isAdministrator("Administrator2"));
}

// ---- Unit access ----

TEST(UnitAccess, ElementsAreComparedAsNumbers)
{
    EXPECT_TRUE(Accounts::unitAccessCheck(false, "000017", "000017#"));
    EXPECT_TRUE(Accounts::unitAccessCheck(false, "17", "000017#"));
    EXPECT_TRUE(Accounts::unitAccessCheck(false, "000017", "000003#000017#"));
    EXPECT_TRUE(Accounts::unitAccessCheck(false, "3", "abc#000003#"));
    EXPECT_FALSE(Accounts::unitAccessCheck(false, "000018", "000003#000017#"));
    EXPECT_FALSE(Accounts::unitAccessCheck(false, "000001", "000017#"));
    // Text after the last "#" is not an element.
    EXPECT_FALSE(Accounts::unitAccessCheck(false, "000017", "000003#000017"));
}

TEST(UnitAccess, EmptyListOrIdentifierAdmitsNothingExceptForTheAdministrator)
{
    EXPECT_FALSE(Accounts::unitAccessCheck(false, "000017", ""));
    EXPECT_FALSE(Accounts::unitAccessCheck(false, "", "000017#"));
    EXPECT_FALSE(Accounts::unitAccessCheck(false, "", "#"));
    EXPECT_TRUE(Accounts::unitAccessCheck(true, "000017", ""));
    EXPECT_TRUE(Accounts::unitAccessCheck(true, "", ""));
}
