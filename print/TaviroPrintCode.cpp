#include "TaviroPrintCode.h"

namespace taviro::print {

TTaviroPrintForm::TTaviroPrintForm(Preview preview, QWidget* parent)
    : PrintChoiceForm(QStringLiteral("TaviroPrint"), QStringLiteral("Wydruk oceny"),
                      {QStringLiteral("Drukuj arkusz oceny - część A"), QStringLiteral("Drukuj arkusz oceny - część B"),
                       QStringLiteral("Drukuj arkusz oceny - część C"), QStringLiteral("Drukuj arkusz oceny - część D"),
                       QStringLiteral("Drukuj arkusz oceny - część E")},
                      true, std::move(preview), parent)
{}

} // namespace taviro::print
