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

    static QString titleText(PageMode mode);
    static QString deleteQuestionText();

protected:
    bool hasSelection(PageMode mode) const override;
    QString title(PageMode mode) const override { return titleText(mode); }
    QString deleteQuestion() const override { return deleteQuestionText(); }
    void loadSelected() override;
    bool store(PageMode mode) override;
    void removeSelected() override;
    QWidget* focusAfterPage() const override;
    QWidget* focusAfterDelete() const override;

private:
    PersonPage& m_personPage;
};

} // namespace taviro::ui
