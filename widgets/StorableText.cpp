#include "StorableText.h"

#include "TextCodec.h"

namespace taviro::widgets {

bool isStorable(QChar c, StorableRule rule)
{
    // Characters beyond the basic plane (surrogate pairs) are never in the code page, and a lone
    // half of a pair would not even survive the conversion to UTF-8 unchanged.
    if (c.isSurrogate())
        return false;
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
        return rule.lineBreaks;
    if (c == QLatin1Char('#') || c == QLatin1Char('$'))
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

void StorableTextValidator::allowLineMarksOf(const QString& loadedText)
{
    m_hashes = loadedText.count(QLatin1Char('#'));
    m_dollars = loadedText.count(QLatin1Char('$'));
}

QValidator::State StorableTextValidator::validate(QString& input, int& /*position*/) const
{
    if (m_rule.lineMarks)
        return isStorable(input, m_rule) ? Acceptable : Invalid;
    if (input.count(QLatin1Char('#')) > m_hashes || input.count(QLatin1Char('$')) > m_dollars)
        return Invalid;
    QString rest = input;
    rest.remove(QLatin1Char('#'));
    rest.remove(QLatin1Char('$'));
    return isStorable(rest, m_rule) ? Acceptable : Invalid;
}

} // namespace taviro::widgets
