#include "TaviroSendCode.h"

namespace taviro::print {

TTaviroSendForm::TTaviroSendForm(Preview preview, QWidget* parent)
    : PrintChoiceForm(QStringLiteral("TaviroSend"), QStringLiteral("Wydruk powiadomienia"),
                      {QStringLiteral("Drukuj powiadomienie"), QStringLiteral("Drukuj załączniki do powiadomienia")},
                      false, std::move(preview), parent)
{}

} // namespace taviro::print
