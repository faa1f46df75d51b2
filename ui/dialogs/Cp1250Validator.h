// Entry-field validator: refuses text that the data files cannot hold. Stored text is
// Windows-1250, and a single-line value is one line of a record file, so characters outside
// the code page and line breaks are both refused as they are typed or pasted.
#pragma once

#include <QValidator>

namespace taviro::ui {

class Cp1250Validator : public QValidator
{
    Q_OBJECT

public:
    explicit Cp1250Validator(QObject* parent = nullptr) : QValidator(parent) {}

    State validate(QString& input, int& position) const override;

    // Whether the text can be kept in a single-line field of a data file.
    static bool isAcceptable(const QString& text);
};

} // namespace taviro::ui
