#include "Cp1250Validator.h"

#include "TextCodec.h"

namespace taviro::ui {

QValidator::State Cp1250Validator::validate(QString& input, int& /*position*/) const
{
    return isAcceptable(input) ? Acceptable : Invalid;
}

bool Cp1250Validator::isAcceptable(const QString& text)
{
    for (const QChar c : text) {
        // Characters beyond the basic plane (surrogate pairs) are never in the code page, and a
        // lone half of a pair would not even survive the conversion to UTF-8 unchanged.
        if (c.isSurrogate() || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return false;
    }
    return isCp1250Representable(text.toStdString());
}

} // namespace taviro::ui
