#include "RtfLexicon.h"

#include "TextCodec.h"

#include <QString>

#include <algorithm>
#include <iterator>

namespace taviro::rtf {

const std::array<char16_t, 256>& cp1250Table()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> units{};
        for (int byte = 0; byte < 256; ++byte) {
            const char single = static_cast<char>(byte);
            const QString text = QString::fromStdString(cp1250ToUtf8(std::string_view(&single, 1)));
            units[static_cast<std::size_t>(byte)] = text.isEmpty() ? u'\0' : text.at(0).unicode();
        }
        return units;
    }();
    return table;
}

bool isLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isSkippedDestination(std::string_view word)
{
    static constexpr std::string_view skipped[] = {
        "info",         "stylesheet",        "pict",       "object",   "objdata",   "header",    "headerl",
        "headerr",      "headerf",           "footer",     "footerl",  "footerr",   "footerf",   "footnote",
        "ftnsep",       "ftnsepc",           "ftncn",      "aftnsep",  "aftnsepc",  "aftncn",    "fldinst",
        "listtable",    "listoverridetable", "revtbl",     "rsidtbl",  "generator", "themedata", "colorschememapping",
        "latentstyles", "datastore",         "nonshppict", "shpinst",  "filetbl",   "xe",        "tc",
        "pn",           "private",           "userprops",  "xmlnstbl", "template",
    };
    return std::find(std::begin(skipped), std::end(skipped), word) != std::end(skipped);
}

} // namespace taviro::rtf
