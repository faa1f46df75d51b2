#include "CommandTable.h"

#include <algorithm>
#include <array>

namespace taviro::ui {
namespace {

// clang-format off
constexpr std::array<CommandInfo, 24> kCommands = {{
    {Command::Administration, "TaviroProgramAdminMenuItem", "Administrator", "",
     "Uruchamia panel administracji programem", Needs::Nothing, "admin", IconKind::Administration},
    {Command::Exit, "TaviroProgramExitMenuItem", "Zakończ", "",
     "Kończy działanie programu", Needs::Nothing, "", IconKind::Exit},
    {Command::NewUnit, "TaviroCellNewMenuItem", "Nowa", "Nowa komórka",
     "Tworzy nową komórkę organizacyjną", Needs::Nothing, "A1", IconKind::New},
    {Command::ViewUnit, "TaviroCellViewMenuItem", "Podgląd", "Podgląd danych komórki",
     "Umożliwia podgląd danych komórki organizacyjnej", Needs::Unit, "A2", IconKind::View},
    {Command::CorrectUnit, "TaviroCellCorectMenuItem", "Popraw", "Popraw dane komórki",
     "Umożliwia poprawienie danych komórki organizacyjnej", Needs::Unit, "A3", IconKind::Correct},
    {Command::DeleteUnit, "TaviroCellDeleteMenuItem", "Usuń", "Usuń komórkę",
     "Usuwa komórkę organizacyjna", Needs::Unit, "A4", IconKind::Delete},
    {Command::NewEmployee, "TaviroPersonNewMenuItem", "Nowy", "Nowy pracownik",
     "Tworzy nowego pracownika", Needs::Unit, "B1", IconKind::New},
    {Command::ViewEmployee, "TaviroPersonViewMenuItem", "Podgląd", "Podgląd danych pracownika",
     "Umożliwia podgląd danych pracownika", Needs::EmployeeNode, "B2", IconKind::View},
    {Command::CorrectEmployee, "TaviroPersonCorectMenuItem", "Popraw", "Popraw dane pracownika",
     "Umożliwia poprawienie danych pracownika", Needs::EmployeeNode, "B3", IconKind::Correct},
    {Command::MoveEmployee, "TaviroPersonMoveMenuItem", "Przenieś", "Przenieś pracownika",
     "Przenosi pracownika do innej komórki", Needs::EmployeeNode, "X1", IconKind::Move},
    {Command::DeleteEmployee, "TaviroPersonDeleteMenuItem", "Usuń", "Usuń pracownika",
     "Usuwa pracownika", Needs::EmployeeNode, "B4", IconKind::Delete},
    {Command::NewAppraisal, "TaviroGradeNewMenuItem", "Nowa", "Nowa ocena",
     "Tworzy nową ocenę", Needs::EmployeeNode, "C1", IconKind::New},
    {Command::NewAppraisalFrom, "TaviroGradeNewFromMenuItem", "Nowa od ...", "Nowa ocena od ...",
     "Tworzy nową ocenę", Needs::AppraisalNode, "C1", IconKind::New},
    {Command::ViewAppraisal, "TaviroGradeViewMenuItem", "Podgląd", "Podgląd oceny",
     "Umożliwia podgląd danych na ocenie", Needs::AppraisalNode, "C2", IconKind::View},
    {Command::PrintAppraisal, "TaviroGradePrintMenuItem", "Drukuj", "Drukuj ocenę",
     "Drukuje ocenę", Needs::AppraisalNode, "C3", IconKind::Print},
    {Command::ContinueAppraisal, "TaviroGradeCorectMenuItem", "Kontynuuj", "Kontynuuj ocenę",
     "Umożliwia poprawienie danych na ocenie", Needs::AppraisalNode, "C4", IconKind::Continue},
    {Command::DeleteAppraisal, "TaviroGradeDeleteMenuItem", "Usuń", "Usuń ocenę",
     "Usuwa ocenę", Needs::AppraisalNode, "C5", IconKind::Delete},
    {Command::Deadlines, "TaviroGradeDueMenuItem", "Terminy ocen", "Terminy ocen",
     "Pokazuje, kogo i do kiedy trzeba ocenić oraz kto jest po terminie", Needs::Nothing, "C2", IconKind::View},
    {Command::Regulations, "TaviroDocumentRegulationsMenuItem", "Regulamin", "Regulamin",
     "Wyświetla wzór regulaminu", Needs::Nothing, "", IconKind::Document},
    {Command::Statute, "TaviroDocumentStatuteMenuItem", "Ustawa", "Ustawa",
     "Wyświetla treść ustawy", Needs::Nothing, "", IconKind::Document},
    {Command::Help, "TaviroHelpHelpMenuItem", "Pomoc", "",
     "Wyświetla okienko pomocy do programu", Needs::Nothing, "", IconKind::Help},
    {Command::WebPage, "TaviroHelpInternetMenuItem", "Orsana w Internecie", "",
     "Uruchamia przeglądarke internetowa i przechodzi na stronę producenta programu", Needs::Nothing, "",
     IconKind::Internet},
    {Command::Mail, "TaviroHelpMailMenuItem", "Poczta do Orsana", "",
     "Uruchamia program pocztowy wraz z rozpoczęta wiadomością do producenta programu", Needs::Nothing, "",
     IconKind::Mail},
    {Command::About, "TaviroHelpAboutMenuItem", "O programie", "",
     "Wyświetla informacje o programie, jego wersji i producencie", Needs::Nothing, "", IconKind::About},
}};
// clang-format on

} // namespace

std::span<const CommandInfo> commandTable()
{
    return kCommands;
}

const CommandInfo& commandInfo(Command command)
{
    return *std::find_if(kCommands.begin(), kCommands.end(),
                         [command](const CommandInfo& info) { return info.command == command; });
}

bool isSatisfied(Needs needs, const Selection& selection)
{
    switch (needs) {
    case Needs::Nothing:
        return true;
    case Needs::Unit:
        return selection.unit;
    case Needs::EmployeeNode:
        return selection.employeeNode;
    case Needs::AppraisalNode:
        return selection.appraisalNode;
    case Needs::EmployeeOrAppraisalNode:
        return selection.employeeNode || selection.appraisalNode;
    }
    return false;
}

} // namespace taviro::ui
