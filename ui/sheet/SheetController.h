// The appraisal commands and the sheet editor: "Nowa", "Nowa od ...", "Podgląd" and "Kontynuuj"
// open the sheet on its pages A to E (with the side pages B1, B2 and C1), "Zapisz" on any of them
// stores the whole sheet, "Rezygnuj"/"Zamknij" leave it, and "Usuń" asks and marks the appraisal
// deleted. The pages show and collect; what goes on a sheet is decided by the appraisal library.
#pragma once

#include "CommandHandler.h"
#include "PageId.h"
#include "SessionState.h"

#include "AppraisalRecord.h"
#include "SheetFilling.h"

#include <QString>

#include <memory>
#include <string>

class QWidget;

namespace taviro::ui {

class CriteriaChoice;
class GradeAPage;
class GradeB1Page;
class GradeB2Page;
class GradeBPage;
class GradeC1Page;
class GradeCPage;
class GradeDPage;
class GradeEPage;
class NavigationPanel;
class PageHost;
class Services;
class SheetPage;

// The eight pages of the sheet, made by the main window.
struct SheetPages
{
    GradeAPage& a;
    GradeBPage& b;
    GradeB1Page& b1;
    GradeB2Page& b2;
    GradeCPage& c;
    GradeC1Page& c1;
    GradeDPage& d;
    GradeEPage& e;
};

class SheetController : public CommandHandler
{
public:
    SheetController(Services& services, PageHost& host, NavigationPanel& navigation, SheetPages pages);
    ~SheetController() override;

    bool handles(Command command) const override;
    void run(Command command) override;

    static QString deleteQuestionText();
    // Asked when the record changed or was deleted on another workstation since the sheet was opened.
    static QString changedMeanwhileText();

private:
    // What the open sheet is about; the field contents live on the pages.
    struct Target
    {
        std::string unitId;
        std::string employeeId;
        std::string appraisalId; // the stored appraisal shown or continued, or the source of "Nowa od ..."
        Fields readAtOpen;       // the continued record as it was read, to see whether it changed since
    };

    void connectPages();
    void connectMoves();
    void connectLinks();
    void connectDocuments();

    bool selectTarget(Command command);
    OpenedSheet openedSheet(Command command);
    void open(Command command);
    void showOnPages(const OpenedSheet& opened, PageMode mode);
    void loadHelpTexts();
    void show(PageId page, QWidget* focus);
    // Every date of the sheet can be stored; otherwise the page of the first that cannot is shown
    // and its field says why.
    bool datesAcceptable();
    void rebuildLevelGridIfChanged();
    Appraisal collect() const;
    void save();
    bool saveAsNew(const Appraisal& sheet);
    void close();
    void remove();

    Services& m_services;
    PageHost& m_host;
    NavigationPanel& m_navigation;
    SheetPages m_pages;
    std::unique_ptr<CriteriaChoice> m_choice;
    Target m_target;
    bool m_helpTextsLoaded = false;
};

} // namespace taviro::ui
