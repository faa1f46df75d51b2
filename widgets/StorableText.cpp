#include "StorableText.h"

#include "TextCodec.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace taviro::widgets {
namespace {

bool isLineMark(QChar c)
{
    return c == QLatin1Char('#') || c == QLatin1Char('$');
}

bool isLineBreak(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// The length of the character at index: two for a surrogate pair (and for CR LF, one line break).
qsizetype characterLength(const QString& text, qsizetype index)
{
    const QChar c = text.at(index);
    if (index + 1 < text.size()) {
        const QChar next = text.at(index + 1);
        if ((c.isHighSurrogate() && next.isLowSurrogate()) || (c == QLatin1Char('\r') && next == QLatin1Char('\n')))
            return 2;
    }
    return 1;
}

QString quotedList(const QStringList& characters)
{
    QStringList quoted;
    for (const QString& character : characters)
        quoted.append(QStringLiteral("„%1”").arg(character));
    if (quoted.size() < 2)
        return quoted.value(0);
    const QString last = quoted.takeLast();
    return quoted.join(QStringLiteral(", ")) + QStringLiteral(" i ") + last;
}

} // namespace

bool isStorable(QChar c, StorableRule rule)
{
    // Characters beyond the basic plane (surrogate pairs) are never in the code page, and a lone
    // half of a pair would not even survive the conversion to UTF-8 unchanged.
    if (c.isSurrogate())
        return false;
    if (isLineBreak(c))
        return rule.lineBreaks;
    if (isLineMark(c))
        return rule.lineMarks;
    return c.unicode() < 0x80 || isCp1250Representable(QString(c).toStdString());
}

bool isStorable(const QString& text, StorableRule rule)
{
    for (const QChar c : text) {
        if (!isStorable(c, rule))
            return false;
    }
    return true;
}

QString storablePart(const QString& text, StorableRule rule)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (isStorable(c, rule))
            kept += c;
    }
    return kept;
}

QStringList refusedCharacters(const QString& text, StorableRule rule)
{
    QStringList refused;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = characterLength(text, i);
        const QString character = text.mid(i, length);
        if (!isStorable(character, rule) && !refused.contains(character))
            refused.append(character);
        i += length;
    }
    return refused;
}

QString refusalNote(const QStringList& characters)
{
    QStringList marks;
    QStringList foreign;
    for (const QString& character : characters)
        (character.size() == 1 && isLineMark(character.at(0)) ? marks : foreign).append(character);
    QStringList sentences;
    if (!foreign.isEmpty()) {
        sentences.append(
            foreign.size() == 1
                ? QStringLiteral("Znaku %1 nie można wpisać: pliki danych programu nie mogą go przechować.")
                : QStringLiteral("Znaków %1 nie można wpisać: pliki danych programu nie mogą ich przechować."));
        sentences.last() = sentences.last().arg(quotedList(foreign));
    }
    if (!marks.isEmpty()) {
        sentences.append(marks.size() == 1 ? QStringLiteral("Znaku %1 nie można wpisać w tym polu: w plikach danych "
                                                            "oznacza on podział wiersza.")
                                           : QStringLiteral("Znaków %1 nie można wpisać w tym polu: w plikach danych "
                                                            "oznaczają one podział wiersza."));
        sentences.last() = sentences.last().arg(quotedList(marks));
    }
    return sentences.join(QLatin1Char(' '));
}

void StorableTextValidator::allowLineMarksOf(const QString& loadedText)
{
    m_hashes = loadedText.count(QLatin1Char('#'));
    m_dollars = loadedText.count(QLatin1Char('$'));
}

std::vector<bool> StorableTextValidator::extraMarks(const QString& input, int position) const
{
    std::vector<bool> extra(static_cast<std::size_t>(input.size()), false);
    if (m_rule.lineMarks)
        return extra;
    for (const auto& [mark, allowed] :
         {std::pair{QLatin1Char('#'), m_hashes}, std::pair{QLatin1Char('$'), m_dollars}}) {
        qsizetype excess = input.count(mark) - allowed;
        // What was just typed or pasted stands right before the cursor.
        const qsizetype cursor = std::clamp<qsizetype>(position, 0, input.size());
        for (qsizetype i = cursor - 1; i >= 0 && excess > 0; --i) {
            if (input.at(i) == mark) {
                extra[static_cast<std::size_t>(i)] = true;
                --excess;
            }
        }
        for (qsizetype i = cursor; i < input.size() && excess > 0; ++i) {
            if (input.at(i) == mark) {
                extra[static_cast<std::size_t>(i)] = true;
                --excess;
            }
        }
    }
    return extra;
}

QValidator::State StorableTextValidator::validate(QString& input, int& position) const
{
    const std::vector<bool> extra = extraMarks(input, position);
    QString kept;
    kept.reserve(input.size());
    QStringList left;
    int cursor = position;
    for (qsizetype i = 0; i < input.size();) {
        const qsizetype length = characterLength(input, i);
        const QString character = input.mid(i, length);
        QString taken = character;
        if (isLineBreak(character.at(0)) && !m_rule.lineBreaks) {
            taken = QStringLiteral(" ");
        } else if (length == 1 && isLineMark(character.at(0))) {
            if (extra[static_cast<std::size_t>(i)])
                taken.clear();
        } else if (!isStorable(character, m_rule)) {
            taken.clear();
        }
        if (taken.isEmpty() && !left.contains(character))
            left.append(character);
        if (i < position)
            cursor += static_cast<int>(taken.size() - length);
        kept += taken;
        i += length;
    }
    if (kept != input) {
        input = kept;
        position = std::clamp(cursor, 0, static_cast<int>(input.size()));
    }
    if (!left.isEmpty())
        emit refused(left);
    return Acceptable;
}

} // namespace taviro::widgets
