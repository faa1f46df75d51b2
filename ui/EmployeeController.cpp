#include "EmployeeController.h"

#include "NavigationPanel.h"
#include "Services.h"
#include "pages/PersonPage.h"

namespace taviro::ui {

EmployeeController::EmployeeController(Services& services, PageHost& host, NavigationPanel& navigation,
                                       PersonPage& page)
    : RegisterController(services, host, navigation, page,
                         {Command::NewEmployee, Command::ViewEmployee, Command::CorrectEmployee,
                          Command::DeleteEmployee, PageId::Person, QStringLiteral("Person.hlp"),
                          QStringLiteral("Nowy pracownik"), QStringLiteral("Poprawianie danych pracownika"),
                          QStringLiteral("Podgląd danych pracownika"),
                          QStringLiteral("UWAGA! Usunięcie pracownika usunie również wszystkie przynależne do niego "
                                         "oceny. Czy jesteś pewien?")},
                         navigation.tree(), navigation.unitList()),
      m_personPage(page)
{}

bool EmployeeController::hasSelection(PageMode mode) const
{
    return m_navigation.selectedUnitId() && (mode == PageMode::New || m_navigation.selectedEmployeeId());
}

void EmployeeController::loadSelected()
{
    const std::string unitId = identifierText(*m_navigation.selectedUnitId());
    if (const auto employee = m_services.employees().read(unitId, identifierText(*m_navigation.selectedEmployeeId())))
        m_personPage.load(*employee);
}

bool EmployeeController::store(PageMode mode)
{
    const auto unitId = m_navigation.selectedUnitId();
    if (!unitId)
        return true;
    Employee employee = m_personPage.stored();
    if (mode == PageMode::New) {
        const std::string id = m_services.employees().add(identifierText(*unitId), employee);
        m_navigation.addEmployee({id, employee.firstName, employee.surname, {}});
        return true;
    }
    const auto employeeId = m_navigation.selectedEmployeeId();
    if (!employeeId)
        return true;
    employee.id = identifierText(*employeeId);
    m_services.employees().correct(identifierText(*unitId), employee);
    m_navigation.renameSelectedEmployee(QString::fromStdString(employee.firstName),
                                        QString::fromStdString(employee.surname));
    return true;
}

void EmployeeController::removeSelected()
{
    m_services.employees().remove(identifierText(*m_navigation.selectedUnitId()),
                                  identifierText(*m_navigation.selectedEmployeeId()));
    m_navigation.fillTree();
}

} // namespace taviro::ui
