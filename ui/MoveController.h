// The move command: the selected employee goes, with his or her appraisals, to another unit.
#pragma once

#include "CommandHandler.h"

namespace taviro::ui {

class TTaviroMainForm;

class MoveController : public CommandHandler
{
public:
    explicit MoveController(TTaviroMainForm& window) : m_window(window) {}

    bool handles(Command command) const override { return command == Command::MoveEmployee; }
    void run(Command command) override;

    // Told when the employee was no longer in the unit's file at the moment of the move.
    static QString employeeGoneText();

private:
    void moveSelectedEmployee();

    TTaviroMainForm& m_window;
};

} // namespace taviro::ui
