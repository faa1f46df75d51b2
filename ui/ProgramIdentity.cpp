#include "ProgramIdentity.h"

#include "IconFactory.h"

#include <QGuiApplication>

namespace taviro::ui {

void presentProgram()
{
    QGuiApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopEntryName));
    // On X11 and Windows the platform adds " — " and the display name to every caption that does
    // not already end with it ("Informacja — …"). An empty display name adds nothing, so every
    // caption reads as the program gives it; the task bar takes the program's name from the
    // desktop entry.
    QGuiApplication::setApplicationDisplayName(QString());
}

} // namespace taviro::ui
