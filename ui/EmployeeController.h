// The employee commands: new, view and correct open the employee page; delete asks and sets the
// employee's deletion flag. Keeps the employee tree in step with what was written.
#pragma once

#include "CommandHandler.h"
#include "SessionState.h"

#include <QString>

namespace taviro::ui {

class PersonPage;
class TTaviroMainForm;

class EmployeeController : public CommandHandler
{
public:
    explicit EmployeeController(TTaviroMainForm& window);

    bool handles(Command command) const override;
    void run(Command command) override;

    PersonPage* page() const { return m_page; }

    static QString title(PageMode mode);
    static QString deleteQuestionText();

private:
    void open(PageMode mode);
    void save();
    void leavePage();
    void remove();

    TTaviroMainForm& m_window;
    PersonPage* m_page = nullptr;
};

} // namespace taviro::ui
