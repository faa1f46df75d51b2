#include "UserOperation.h"

#include "MessageDialogs.h"

#include "IoError.h"
#include "TextCodec.h"

namespace taviro::ui {

bool runUserOperation(widgets::MessageDialogs& dialogs, const std::function<void()>& operation)
{
    try {
        operation();
        return true;
    } catch (const IoError& error) {
        dialogs.showInformation(fileErrorText(error));
    } catch (const EncodingError& error) {
        dialogs.showInformation(fileErrorText(error));
    } catch (const std::exception& error) {
        dialogs.showInformation(internalErrorText(error));
    }
    return false;
}

QString fileErrorText(const std::exception& error)
{
    return QStringLiteral("Wystąpił błąd podczas pracy z plikami danych. ") + QString::fromUtf8(error.what());
}

QString internalErrorText(const std::exception& error)
{
    return QStringLiteral("Wystąpił nieoczekiwany błąd programu; operacja została przerwana. ") +
           QString::fromUtf8(error.what());
}

} // namespace taviro::ui
