#include "RecordFieldValidator.h"

namespace taviro::ui {

QValidator::State RecordFieldValidator::validate(QString& input, int& /*position*/) const
{
    return isAcceptable(input) ? Acceptable : Invalid;
}

bool RecordFieldValidator::isAcceptable(const QString& text)
{
    return !text.contains(QLatin1Char('#')) && !text.contains(QLatin1Char('$')) && Cp1250Validator::isAcceptable(text);
}

} // namespace taviro::ui
