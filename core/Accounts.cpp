#include "Accounts.h"

#include "RecordText.h"
#include "TextCodec.h"

#include <algorithm>

namespace taviro {
namespace {

constexpr std::string_view kUsersFile = "Users.dat";
constexpr std::string_view kAdminFile = "Admin.dat";
constexpr std::size_t kRightsField = 5; // zero-based: field 6
constexpr std::size_t kPaddedRightsLength = 32;

// Positions 0–15 give the high half of a byte, 16–31 the low half. The last four are never
// written; they hold the characters most easily mistaken for one another when a line is copied
// by hand, so that nothing written ever contains them.
constexpr std::string_view kPairTable = "R7KQ2XFM9TBW4HZDN3VJ8PLC5YGS6EUA0O1I";
static_assert(kPairTable.size() == 36);

constexpr std::size_t kHighHalf = 0;
constexpr std::size_t kLowHalf = 16;

// The first position of c in the table, or nothing.
std::optional<int> tablePosition(char c)
{
    const auto position = kPairTable.find(c);
    if (position == std::string_view::npos)
        return std::nullopt;
    return static_cast<int>(position);
}

// The fields of a decoded user line. A field ends at CR LF, or at a lone CR or LF of a damaged
// line; text after the last line break is a field when it is not empty.
std::vector<LineSpan> fieldSpans(std::string_view text)
{
    return {Lines(text, LineEnds::Any).begin(), Lines(text, LineEnds::Any).end()};
}

std::string fieldText(const std::vector<LineSpan>& spans, std::size_t index)
{
    return index < spans.size() ? cp1250ToUtf8(spans[index].text) : std::string();
}

std::optional<std::size_t> rightsPosition(std::string_view rightsCode)
{
    const auto found = std::find(kRightsCodes.begin(), kRightsCodes.end(), rightsCode);
    if (found == kRightsCodes.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - kRightsCodes.begin());
}

// Every non-empty line of Users.dat decoded to its Windows-1250 bytes; nothing when the file is
// missing. Read under the retry protocol.
std::vector<std::string> decodedUserLines(SharedFileAccess& files)
{
    std::vector<std::string> decoded;
    const std::optional<std::string> content = files.readIfExists(kUsersFile);
    if (!content)
        return decoded;
    for (const LineSpan& line : Lines(*content)) {
        if (!line.text.empty())
            decoded.push_back(pairDecode(line.text));
    }
    return decoded;
}

// The first line of a file opened with a single attempt, as the login reads it.
std::string firstLineOnce(SharedFileAccess& files, std::string_view relativeName)
{
    SharedFile file = files.openOnce(relativeName, OpenKind::TextRead);
    const std::string content = file.readAll();
    file.close();
    const Lines lines(content);
    return lines.begin() == lines.end() ? std::string() : std::string(lines.begin()->text);
}

// A field that holds a line break would shift every field after it when the line is read back
// (a unit list could turn into a rights string), so it is refused before anything is written.
void requireSingleLine(std::string_view field)
{
    if (field.find_first_of("\r\n") != std::string_view::npos)
        throw EncodingError("Pole konta użytkownika nie może zawierać znaku końca wiersza.");
}

} // namespace

bool isAdministrator(std::string_view userName)
{
    return polishUpper(userName) == "ADMINISTRATOR";
}

std::string refusalText(std::string_view userName)
{
    return "Brak dostępu do funkcji dla użytkownika - " + std::string(userName) + ".";
}

std::string_view pairEncodingTable()
{
    return kPairTable;
}

std::string pairEncode(std::string_view bytes)
{
    std::string line;
    line.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        line += kPairTable[kHighHalf + b / 16];
        line += kPairTable[kLowHalf + b % 16];
    }
    return line;
}

std::string pairDecode(std::string_view line)
{
    std::string bytes;
    bytes.reserve(line.size() / 2);
    for (std::size_t i = 0; i + 1 < line.size(); i += 2) {
        int value = tablePosition(line[i]).value_or(0) * 16;
        if (const auto second = tablePosition(line[i + 1]))
            value += *second - static_cast<int>(kLowHalf);
        // The low half may come from the high-half part of the table and make the value negative.
        value = ((value % 256) + 256) % 256;
        bytes += static_cast<char>(static_cast<unsigned char>(value));
    }
    return bytes;
}

std::string userLineText(const UserAccount& account)
{
    std::string text;
    for (const std::string* field : {&account.firstName, &account.surname, &account.position, &account.identifier,
                                     &account.password, &account.rights, &account.units}) {
        text += *field;
        text += "\r\n";
    }
    return text;
}

UserAccount parseUserLine(std::string_view decodedUtf8)
{
    // The spans are found on UTF-8 here; line breaks are single bytes in both encodings.
    const auto spans = fieldSpans(decodedUtf8);
    auto field = [&](std::size_t index) {
        return index < spans.size() ? std::string(spans[index].text) : std::string();
    };
    return UserAccount{field(0), field(1), field(2), field(3), field(4), field(5), field(6)};
}

bool Accounts::hasRight(std::string_view userName, std::string_view rightsCode)
{
    const auto position = rightsPosition(rightsCode);
    if (!position)
        return false;
    const std::string wanted = polishUpper(userName);
    for (const std::string& bytes : decodedUserLines(m_files)) {
        const auto spans = fieldSpans(bytes);
        if (polishUpper(fieldText(spans, 3)) != wanted)
            continue;
        // From the start of the rights field to the end of the line: a short rights string
        // reads on into the line break and the unit list, exactly as stored.
        std::string rights = spans.size() > kRightsField ? bytes.substr(spans[kRightsField].begin) : std::string();
        if (rights.size() < kPaddedRightsLength)
            rights.append(kPaddedRightsLength - rights.size(), '0');
        if (rights[*position] == '1')
            return true;
    }
    return false;
}

bool Accounts::mayRun(std::string_view userName, std::string_view rightsCode)
{
    return isAdministrator(userName) || hasRight(userName, rightsCode);
}

std::string Accounts::unitAccessList(std::string_view userName)
{
    const std::string wanted = polishUpper(userName);
    for (const std::string& bytes : decodedUserLines(m_files)) {
        const auto spans = fieldSpans(bytes);
        if (polishUpper(fieldText(spans, 3)) == wanted)
            return fieldText(spans, 6);
    }
    return {};
}

bool Accounts::unitAccessCheck(bool administrator, std::string_view unitIdentifier, std::string_view accessList)
{
    if (administrator)
        return true;
    if (accessList.empty() || unitIdentifier.empty())
        return false;
    const auto unit = parseInteger(unitIdentifier);
    if (!unit)
        return false;
    // Only text followed by "#" is an element; whatever trails after the last "#" is not.
    std::size_t start = 0;
    for (auto hash = accessList.find('#'); hash != std::string_view::npos; hash = accessList.find('#', start)) {
        if (parseInteger(accessList.substr(start, hash - start)) == unit)
            return true;
        start = hash + 1;
    }
    return false;
}

std::vector<UserAccount> Accounts::readUsers()
{
    std::vector<UserAccount> accounts;
    for (const std::string& bytes : decodedUserLines(m_files))
        accounts.push_back(parseUserLine(cp1250ToUtf8(bytes)));
    return accounts;
}

void Accounts::writeUsers(const std::vector<UserAccount>& accounts)
{
    // The whole content is built (and every character checked) before the file is touched.
    std::string content;
    if (accounts.empty()) {
        // Seven empty fields: a line nobody can log in to, so the file still says "no accounts".
        content = pairEncode(userLineText(UserAccount{})) + "\r\n";
    }
    for (const UserAccount& account : accounts) {
        for (const std::string* field : {&account.firstName, &account.surname, &account.position, &account.identifier,
                                         &account.password, &account.rights, &account.units})
            requireSingleLine(*field);
        content += pairEncode(utf8ToCp1250(userLineText(account)));
        content += "\r\n";
    }
    m_files.writeWholeFile(kUsersFile, content);
}

void Accounts::writeAdministratorPassword(std::string_view password)
{
    requireSingleLine(password);
    m_files.writeWholeFile(kAdminFile, pairEncode(utf8ToCp1250(password)) + "\r\n");
}

LoginResult Accounts::login(std::string_view identifier, std::string_view password)
{
    LoginResult result;
    const std::string wantedIdentifier = polishUpper(trimmed(identifier));
    const std::string wantedPassword = polishUpper(trimmed(password));
    // An empty identifier or password never opens an account, not even the placeholder line
    // of an emptied user file or an administrator file whose line decodes to nothing.
    if (wantedIdentifier.empty() || wantedPassword.empty())
        return result;
    try {
        if (wantedIdentifier == "ADMINISTRATOR") {
            if (!m_files.exists(kAdminFile))
                return result;
            const std::string line = firstLineOnce(m_files, kAdminFile);
            if (line.empty())
                return result;
            const std::string stored = cp1250ToUtf8(pairDecode(line));
            if (polishUpper(stored) == wantedPassword) {
                result.outcome = LoginResult::Outcome::Accepted;
                result.user = std::string(kAdministrator);
                result.password = stored;
            }
            return result;
        }
        if (!m_files.exists(kUsersFile))
            return result;
        std::string content;
        {
            SharedFile file = m_files.openOnce(kUsersFile, OpenKind::TextRead);
            content = file.readAll();
            file.close();
        }
        for (const LineSpan& line : Lines(content)) {
            if (line.text.empty())
                continue;
            const UserAccount account = parseUserLine(cp1250ToUtf8(pairDecode(line.text)));
            if (polishUpper(account.identifier) == wantedIdentifier &&
                polishUpper(account.password) == wantedPassword) {
                result.outcome = LoginResult::Outcome::Accepted;
                result.user = account.identifier;
                result.password = account.password;
                return result;
            }
        }
    } catch (const IoError& error) {
        result = LoginResult{};
        result.outcome = LoginResult::Outcome::ReadError;
        result.errorText = error.what();
    }
    return result;
}

} // namespace taviro
