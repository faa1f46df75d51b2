// The employee commands over the employee page. Keeps the employee tree in step with what was
// written.
#pragma once

#include "RegisterController.h"

namespace taviro::ui {

class PersonPage;

class EmployeeController : public RegisterController
{
public:
    EmployeeController(Services& services, PageHost& host, NavigationPanel& navigation, PersonPage& page);

protected:
    bool hasSelection(PageMode mode) const override;
    void loadSelected() override;
    bool store(PageMode mode) override;
    void removeSelected() override;

private:
    PersonPage& m_personPage;
};

} // namespace taviro::ui
