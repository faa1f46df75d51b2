// The unit commands over the unit page. Keeps the unit list and the employee tree in step with what
// was written.
#pragma once

#include "RegisterController.h"

namespace taviro::ui {

class CellPage;

class UnitController : public RegisterController
{
public:
    UnitController(Services& services, PageHost& host, NavigationPanel& navigation, CellPage& page);

    static QString duplicateNameText();

protected:
    bool hasSelection(PageMode mode) const override;
    void loadSelected() override;
    bool store(PageMode mode) override;
    void removeSelected() override;

private:
    // Whether another listed unit has the name, letter case and surrounding blanks aside.
    bool isListed(const std::string& name, int skippedIndex) const;

    CellPage& m_cellPage;
};

} // namespace taviro::ui
