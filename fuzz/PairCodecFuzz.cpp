// libFuzzer entry for the account files: any bytes as Users.dat and as Admin.dat. Besides not
// crashing:
// - any bytes, pair-encoded and decoded, come back as they were, and a line decodes to half as
//   many bytes as it has characters;
// - an account of the file, and the administrator with the password of Admin.dat, log in;
// - the accounts read from the file, written back as the administration page writes them and read
//   again, are the same accounts (an empty list comes back as the one placeholder line).
#include "Accounts.h"
#include "FuzzSupport.h"
#include "RecordText.h"
#include "TextCodec.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace taviro;
using taviro::fuzz::FuzzFolder;
using taviro::fuzz::NoWaitNotifier;
using taviro::fuzz::require;

struct Fixture
{
    FuzzFolder folder;
    NoWaitNotifier notifier;
    SharedFileAccess files{folder.directory("data"), notifier};
    Accounts accounts{files};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Fixture fixture;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    require(pairDecode(pairEncode(bytes)) == bytes, "pair-encoded bytes decode to themselves");
    require(pairDecode(bytes).size() == size / 2, "a line decodes to one byte per pair");

    fixture.folder.write("data/Users.dat", bytes);
    fixture.folder.write("data/Admin.dat", bytes);
    const std::vector<UserAccount> read = fixture.accounts.readUsers();
    // The checks the program makes with what the file holds. An account whose identifier and
    // password have no blanks around them logs in with them.
    for (std::size_t i = 0; i < read.size() && i < 4; ++i) {
        const UserAccount& account = read[i];
        (void)fixture.accounts.mayRun(account.identifier, kRightsCodes[i % kRightsCodes.size()]);
        (void)Accounts::unitAccessCheck(false, "000017", fixture.accounts.unitAccessList(account.identifier));
        const LoginResult login = fixture.accounts.login(account.identifier, account.password);
        if (!account.identifier.empty() && trimmed(account.identifier) == account.identifier &&
            !account.password.empty() && trimmed(account.password) == account.password &&
            !isAdministrator(account.identifier))
            require(login.outcome == LoginResult::Outcome::Accepted, "an account of the file logs in");
    }
    // The administrator's password is the first line of Admin.dat, decoded.
    const Lines lines(bytes);
    const std::string_view first = lines.begin() == lines.end() ? std::string_view() : lines.begin()->text;
    const std::string password = cp1250ToUtf8(pairDecode(first));
    const LoginResult administrator = fixture.accounts.login(std::string(kAdministrator), password);
    if (!first.empty() && !password.empty() && trimmed(password) == password)
        require(administrator.outcome == LoginResult::Outcome::Accepted && administrator.password == password,
                "the administrator logs in with the password of Admin.dat");

    fixture.accounts.writeUsers(read);
    const std::vector<UserAccount> again = fixture.accounts.readUsers();
    require(read.empty() ? again == std::vector<UserAccount>{UserAccount{}} : again == read,
            "accounts written back read as the same accounts");
    return 0;
}
