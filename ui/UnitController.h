// The unit commands: new, view and correct open the unit page; delete asks and sets the unit's
// deletion flag. Keeps the unit list and the employee tree in step with what was written.
#pragma once

#include "CommandHandler.h"
#include "SessionState.h"

#include <QString>

namespace taviro::ui {

class CellPage;
class TTaviroMainForm;

class UnitController : public CommandHandler
{
public:
    explicit UnitController(TTaviroMainForm& window);

    bool handles(Command command) const override;
    void run(Command command) override;

    CellPage* page() const { return m_page; }

    static QString title(PageMode mode);
    static QString duplicateNameText();
    static QString deleteQuestionText();

private:
    void open(PageMode mode);
    void save();
    void leavePage();
    void remove();
    // Whether another listed unit has the name, letter case and surrounding blanks aside.
    bool isListed(const QString& name, int skippedIndex) const;

    TTaviroMainForm& m_window;
    CellPage* m_page = nullptr;
};

} // namespace taviro::ui
