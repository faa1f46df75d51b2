// Validator of the one-line fields of the register pages. Besides what Windows-1250 cannot hold,
// it refuses "#" and "$": a record file keeps line breaks of its values as these two characters,
// so a "#" typed into a name would come back from the file as a line break.
#pragma once

#include "Cp1250Validator.h"

namespace taviro::ui {

class RecordFieldValidator : public Cp1250Validator
{
    Q_OBJECT

public:
    explicit RecordFieldValidator(QObject* parent = nullptr) : Cp1250Validator(parent) {}

    State validate(QString& input, int& position) const override;

    static bool isAcceptable(const QString& text);
};

} // namespace taviro::ui
