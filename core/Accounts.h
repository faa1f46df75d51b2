// User accounts and rights: the account files Users.dat and Admin.dat with their reversible pair
// encoding, the fourteen rights, the unit access list and the login check.
#pragma once

#include "SharedFiles.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace taviro {

// The fourteen rights codes in the order of their positions in the rights string.
inline constexpr std::array<std::string_view, 14> kRightsCodes = {"A1", "A2", "A3", "A4", "B1", "B2", "B3",
                                                                  "B4", "C1", "C2", "C3", "C4", "C5", "X1"};

inline constexpr std::string_view kAdministrator = "Administrator";

// Whether the current user name is the administrator's (letter case aside).
bool isAdministrator(std::string_view userName);

// "Brak dostępu do funkcji dla użytkownika - " + user + "."
std::string refusalText(std::string_view userName);

// Pair encoding of the account files: every byte becomes two characters of our table.
// Works on bytes; account text is Windows-1250 before it is encoded.
// Decoding never fails: a character outside the table counts as position 0 when it opens a pair
// and adds nothing when it closes one; an odd last character is ignored.
std::string pairEncode(std::string_view bytes);
std::string pairDecode(std::string_view line);
// The 36 characters of the table: positions 0–15 encode the high half of a byte, 16–31 the low
// half; 32–35 are never written but still decode.
std::string_view pairEncodingTable();

// One account: the seven fields of a user line, in UTF-8.
struct UserAccount
{
    std::string firstName;
    std::string surname;
    std::string position;
    std::string identifier;
    std::string password;
    std::string rights; // fourteen "1"/"0"
    std::string units;  // "000003#000017#"
    bool operator==(const UserAccount&) const = default;
};

// A user line as stored before encoding (each field followed by CR LF) and back.
std::string userLineText(const UserAccount& account);
UserAccount parseUserLine(std::string_view decodedUtf8);

struct LoginResult
{
    enum class Outcome
    {
        Accepted,
        Refused,  // wrong identifier or password, or a file missing: no message
        ReadError // a file could not be opened or read: the message is in errorText
    };
    Outcome outcome = Outcome::Refused;
    std::string user;     // "Administrator" or the identifier as stored
    std::string password; // as stored
    std::string errorText;
};

class Accounts
{
public:
    explicit Accounts(SharedFileAccess& files) : m_files(files) {}

    // Whether the ordinary account named userName holds the right (any of its lines grants it).
    // Does not know the administrator: callers apply that rule (see mayRun).
    bool hasRight(std::string_view userName, std::string_view rightsCode);
    // The command guard: the right, or the administrator.
    bool mayRun(std::string_view userName, std::string_view rightsCode);

    // The unit access list of the first line of that account; empty when there is none.
    std::string unitAccessList(std::string_view userName);
    // Whether a unit is visible: always for the administrator, else when its identifier is an
    // element of the list (compared as numbers: 000017 and 17 match).
    static bool unitAccessCheck(bool administrator, std::string_view unitIdentifier, std::string_view accessList);

    // Every line of Users.dat (the placeholder line of seven empty fields included); empty when
    // the file is missing.
    std::vector<UserAccount> readUsers();
    // Replaces Users.dat in one atomic step; an empty list writes the placeholder line. A field
    // that Windows-1250 cannot hold or that contains a line break throws EncodingError before
    // the file is touched.
    void writeUsers(const std::vector<UserAccount>& accounts);

    // Stores the password (as given) encoded as the one line of Admin.dat, atomically; the same
    // EncodingError rule as writeUsers.
    void writeAdministratorPassword(std::string_view password);

    // The login check: identifier and password trimmed and compared without regard to letter
    // case; the files are opened with a single attempt each. "ADMINISTRATOR" is checked against
    // Admin.dat only; an empty identifier or password is never accepted.
    LoginResult login(std::string_view identifier, std::string_view password);

private:
    SharedFileAccess& m_files;
};

} // namespace taviro
