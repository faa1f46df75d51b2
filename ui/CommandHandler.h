// An area of the program that carries out some of the main window's commands (units, employees,
// administration …). The main window runs the rights guard first and then hands the command over.
#pragma once

#include "CommandTable.h"

namespace taviro::ui {

class CommandHandler
{
public:
    virtual ~CommandHandler() = default;
    virtual bool handles(Command command) const = 0;
    // Runs the command after its guard passed. Errors of the data store propagate to the main
    // window, which reports them and unlocks the commands.
    virtual void run(Command command) = 0;
};

} // namespace taviro::ui
