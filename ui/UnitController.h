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

    static QString titleText(PageMode mode);
    static QString duplicateNameText();
    static QString deleteQuestionText();

protected:
    bool hasSelection(PageMode mode) const override;
    QString title(PageMode mode) const override { return titleText(mode); }
    QString deleteQuestion() const override { return deleteQuestionText(); }
    void loadSelected() override;
    bool store(PageMode mode) override;
    void removeSelected() override;
    QWidget* focusAfterPage() const override;
    QWidget* focusAfterDelete() const override { return focusAfterPage(); }

private:
    // Whether another listed unit has the name, letter case and surrounding blanks aside.
    bool isListed(const std::string& name, int skippedIndex) const;

    CellPage& m_cellPage;
};

} // namespace taviro::ui
