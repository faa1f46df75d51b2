#include "UnitController.h"

#include "NavigationPanel.h"
#include "Services.h"
#include "pages/CellPage.h"

#include "MessageDialogs.h"

#include "TextCodec.h"

namespace taviro::ui {
namespace {

std::string comparable(const std::string& name)
{
    return polishUpper(trimmed(name));
}

} // namespace

UnitController::UnitController(Services& services, PageHost& host, NavigationPanel& navigation, CellPage& page)
    : RegisterController(services, host, navigation, page,
                         {Command::NewUnit, Command::ViewUnit, Command::CorrectUnit, Command::DeleteUnit, PageId::Cell,
                          QStringLiteral("Cell.hlp"), QStringLiteral("Nowa komórka organizacyjna"),
                          QStringLiteral("Poprawianie danych komórki organizacyjnej"),
                          QStringLiteral("Podgląd danych komórki organizacyjnej"),
                          QStringLiteral("UWAGA! Usunięcie komórki organizacyjnej usunie również wszystkich "
                                         "przynależnych pracowników łącznie z ich ocenami. Czy jesteś pewien?")},
                         navigation.unitList(), navigation.unitList()),
      m_cellPage(page)
{}

QString UnitController::duplicateNameText()
{
    return QStringLiteral("Komórka o podanej nazwie już istnieje.");
}

bool UnitController::hasSelection(PageMode mode) const
{
    return mode == PageMode::New || m_navigation.selectedUnitId().has_value();
}

void UnitController::loadSelected()
{
    if (const auto unit = m_services.units().read(identifierText(*m_navigation.selectedUnitId())))
        m_cellPage.load(*unit);
}

bool UnitController::isListed(const std::string& name, int skippedIndex) const
{
    const std::string wanted = comparable(name);
    const QStringList names = m_navigation.unitNames();
    for (int i = 0; i < names.size(); ++i) {
        if (i != skippedIndex && comparable(names[i].toStdString()) == wanted)
            return true;
    }
    return false;
}

bool UnitController::store(PageMode mode)
{
    Unit unit = m_cellPage.stored();
    if (isListed(unit.name, mode == PageMode::Correct ? m_navigation.unitList()->currentIndex() : -1)) {
        m_services.dialogs().showInformation(duplicateNameText());
        return false;
    }
    if (mode == PageMode::New) {
        unit.id = m_services.units().add(unit);
        m_navigation.addUnit({unit.id, unit.name});
        return true;
    }
    const auto unitId = m_navigation.selectedUnitId();
    if (!unitId)
        return true;
    unit.id = identifierText(*unitId);
    m_services.units().correct(unit);
    m_navigation.renameSelectedUnit(QString::fromStdString(unit.name));
    return true;
}

void UnitController::removeSelected()
{
    m_services.units().remove(identifierText(*m_navigation.selectedUnitId()));
    m_navigation.removeSelectedUnit();
}

} // namespace taviro::ui
