// Every command of the main window with its texts, hint, enabling rule and right. Menu items,
// pop-up items and toolbar buttons are all made from this one table.
#pragma once

#include <QString>

#include <span>

namespace taviro::ui {

enum class Command
{
    Administration,
    Exit,
    NewUnit,
    ViewUnit,
    CorrectUnit,
    DeleteUnit,
    NewEmployee,
    ViewEmployee,
    CorrectEmployee,
    MoveEmployee,
    DeleteEmployee,
    NewAppraisal,
    NewAppraisalFrom,
    ViewAppraisal,
    PrintAppraisal,
    ContinueAppraisal,
    DeleteAppraisal,
    Deadlines,
    Regulations,
    Statute,
    Help,
    WebPage,
    Mail,
    About,
};

// What must be selected in the navigation panel for a command to be enabled.
enum class Needs
{
    Nothing,
    Unit,
    EmployeeNode,
    AppraisalNode,
    EmployeeOrAppraisalNode,
};

enum class IconKind
{
    Administration,
    Exit,
    New,
    View,
    Correct,
    Delete,
    Move,
    Print,
    Continue,
    Document,
    Help,
    Internet,
    Mail,
    About,
    Units,
    Employees,
    Appraisals,
};

struct CommandInfo
{
    Command command;
    const char* objectName; // of the menu item; pop-up copies add "Popup" / "Popup2"
    const char* menuText;
    const char* popupText; // empty: no pop-up copy
    const char* hint;
    Needs needs;
    const char* right; // rights code; "admin" for the administrator only; empty for none
    IconKind icon;
};

std::span<const CommandInfo> commandTable();
const CommandInfo& commandInfo(Command command);

// What the navigation panel has selected at the moment.
struct Selection
{
    bool unit = false;
    bool employeeNode = false;
    bool appraisalNode = false;
};

bool isSatisfied(Needs needs, const Selection& selection);

} // namespace taviro::ui
