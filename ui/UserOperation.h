// The edge of a user operation: where a failure of the data files becomes the general error
// message and the operation ends, while the program goes on.
#pragma once

#include <QString>

#include <exception>
#include <functional>

namespace taviro::widgets {
class MessageDialogs;
}

namespace taviro::ui {

// Runs the operation. An IoError or EncodingError of the data store is shown as the general file
// error; any other exception is a fault of the program and is shown as such, never as a file error.
// Returns whether the operation finished.
bool runUserOperation(widgets::MessageDialogs& dialogs, const std::function<void()>& operation);

// The general message for a failed operation on the data files.
QString fileErrorText(const std::exception& error);
// The message for a fault of the program itself.
QString internalErrorText(const std::exception& error);

} // namespace taviro::ui
