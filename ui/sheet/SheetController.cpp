#include "SheetController.h"

#include "CriteriaChoice.h"
#include "NavigationPanel.h"
#include "PageHost.h"
#include "PrintController.h"
#include "Services.h"
#include "UserOperation.h"
#include "pages/sheet/GradeAPage.h"
#include "pages/sheet/GradeB1Page.h"
#include "pages/sheet/GradeB2Page.h"
#include "pages/sheet/GradeBPage.h"
#include "pages/sheet/GradeC1Page.h"
#include "pages/sheet/GradeCPage.h"
#include "pages/sheet/GradeDPage.h"
#include "pages/sheet/GradeEPage.h"

#include "EntryControls.h"
#include "HelpText.h"
#include "MessageDialogs.h"
#include "Templates.h"

#include "Clock.h"
#include "CriterionRows.h"
#include "OverallLevel.h"

#include <QTextEdit>

#include <array>

namespace taviro::ui {
namespace {

QString appraisalLabel(const std::string& periodEnd)
{
    return QStringLiteral("Ocena z dnia ") + QString::fromStdString(periodEnd);
}

// The documents of pages C and C1, made from their templates at every click.
constexpr std::array<const char*, 4> kInterviewTools = {"GradeC11.wzo", "GradeC12.wzo", "GradeC13.wzo", "GradeC14.wzo"};

} // namespace

SheetController::SheetController(Services& services, PageHost& host, NavigationPanel& navigation, SheetPages pages)
    : m_services(services), m_host(host), m_navigation(navigation), m_pages(pages),
      m_choice(std::make_unique<CriteriaChoice>(pages.b1, services.dialogs(),
                                                [this] { m_services.session().criteriaChanged = true; }))
{
    connectPages();
    connectMoves();
    connectLinks();
    connectDocuments();
}

SheetController::~SheetController() = default;

QString SheetController::deleteQuestionText()
{
    return QStringLiteral("Czy jesteś pewien że chcesz usunąć tą ocenę?");
}

QString SheetController::changedMeanwhileText()
{
    return QStringLiteral("Ta ocena została w międzyczasie zmieniona lub usunięta na innym stanowisku, więc arkusz "
                          "nie może jej zastąpić. Czy zapisać arkusz jako nową ocenę? (Rezygnuj: powrót do arkusza "
                          "bez zapisywania)");
}

bool SheetController::handles(Command command) const
{
    return command == Command::NewAppraisal || command == Command::NewAppraisalFrom ||
           command == Command::ViewAppraisal || command == Command::ContinueAppraisal ||
           command == Command::DeleteAppraisal;
}

void SheetController::run(Command command)
{
    if (command == Command::DeleteAppraisal)
        remove();
    else
        open(command);
}

// ---- The pages' buttons ----

void SheetController::connectPages()
{
    for (SheetPage* page : std::initializer_list<SheetPage*>{&m_pages.a, &m_pages.b, &m_pages.b1, &m_pages.b2,
                                                             &m_pages.c, &m_pages.c1, &m_pages.d, &m_pages.e}) {
        QObject::connect(page, &SheetPage::helpRequested, page, [this] { m_host.showHelp(); });
        QObject::connect(page, &SheetPage::saveRequested, page, [this] { save(); });
        QObject::connect(page, &SheetPage::abandonRequested, page, [this] { close(); });
    }
    QObject::connect(&m_pages.a, &GradeAPage::printRequested, &m_pages.a, [this] {
        Appraisal pageA;
        m_pages.a.store(pageA);
        printNotification(m_services, m_host, m_target.unitId, m_target.employeeId, pageA, &m_pages.a);
    });
    QObject::connect(&m_pages.d, &GradeDPage::calculateRequested, &m_pages.d, [this] {
        // Without a criterion row there is no proposal, and the page keeps what it shows.
        if (const auto level = proposedOverallLevel(m_pages.d.rows()))
            m_pages.d.setOverallLevel(*level);
    });
}

void SheetController::connectMoves()
{
    auto& p = m_pages;
    QObject::connect(&p.a, &SheetPage::nextRequested, &p.a, [this] { show(PageId::GradeB, m_pages.b.firstField()); });
    QObject::connect(&p.b, &SheetPage::backRequested, &p.b, [this] { show(PageId::GradeA, m_pages.a.firstField()); });
    QObject::connect(&p.b, &SheetPage::nextRequested, &p.b, [this] {
        rebuildLevelGridIfChanged();
        show(PageId::GradeC, m_pages.c.firstField());
    });
    QObject::connect(&p.b, &GradeBPage::selectRequested, &p.b, [this] {
        show(PageId::GradeB1, m_pages.b1.firstField());
        m_choice->updateButtons();
    });
    QObject::connect(&p.b, &GradeBPage::interviewRequested, &p.b,
                     [this] { show(PageId::GradeB2, m_pages.b2.explanationText()); });
    QObject::connect(&p.b1, &SheetPage::returnRequested, &p.b1, [this] {
        m_pages.b.setCriteria(m_choice->chosenNames());
        rebuildLevelGridIfChanged();
        show(PageId::GradeB, m_pages.b.firstField());
    });
    QObject::connect(&p.b2, &SheetPage::returnRequested, &p.b2,
                     [this] { show(PageId::GradeB, m_pages.b.firstField()); });
    QObject::connect(&p.c, &SheetPage::backRequested, &p.c, [this] { show(PageId::GradeB, m_pages.b.firstField()); });
    QObject::connect(&p.c, &SheetPage::nextRequested, &p.c, [this] { show(PageId::GradeD, m_pages.d.firstField()); });
    QObject::connect(&p.c, &GradeCPage::interviewRequested, &p.c,
                     [this] { show(PageId::GradeC1, m_pages.c1.explanationText()); });
    QObject::connect(&p.c1, &SheetPage::returnRequested, &p.c1,
                     [this] { show(PageId::GradeC, m_pages.c.firstField()); });
    QObject::connect(&p.d, &SheetPage::backRequested, &p.d, [this] { show(PageId::GradeC, m_pages.c.firstField()); });
    QObject::connect(&p.d, &SheetPage::nextRequested, &p.d, [this] { show(PageId::GradeE, m_pages.e.firstField()); });
    QObject::connect(&p.e, &SheetPage::backRequested, &p.e, [this] { show(PageId::GradeD, m_pages.d.firstField()); });
}

void SheetController::connectLinks()
{
    // The evaluator's start date is one date shown on B and on C.
    QObject::connect(&m_pages.b, &GradeBPage::evaluatorDateChanged, &m_pages.b,
                     [this](const QDate& date) { m_pages.c.setEvaluatorDate(date); });
    QObject::connect(&m_pages.c, &GradeCPage::evaluatorDateChanged, &m_pages.c,
                     [this](const QDate& date) { m_pages.b.setEvaluatorDate(date); });
    QObject::connect(&m_pages.b, &GradeBPage::additionalCriterionEdited, &m_pages.b,
                     [this] { m_services.session().criteriaChanged = true; });
}

void SheetController::connectDocuments()
{
    const auto templates = [this] {
        return Templates(m_services.files(), m_services.counters(), m_services.environment().shell);
    };
    QObject::connect(&m_pages.b2, &GradeB2Page::openRequested, &m_pages.b2, [this, templates] {
        // One interview-notes document per appraisal: made once, then opened again under its name.
        runUserOperation(m_services.dialogs(), [&] {
            std::string& document = m_services.session().interviewDocument;
            document = templates().openInterviewNotes(QString::fromStdString(document)).toStdString();
        });
    });
    QObject::connect(&m_pages.b2, &GradeB2Page::viewRequested, &m_pages.b2, [this, templates] {
        runUserOperation(m_services.dialogs(), [&] { templates().openWorkingCopy(QStringLiteral("GradeA2.wzo")); });
    });
    QObject::connect(&m_pages.c, &GradeCPage::sampleOpinionRequested, &m_pages.c, [this, templates] {
        runUserOperation(m_services.dialogs(), [&] { templates().openWorkingCopy(QStringLiteral("GradeC1.wzo")); });
    });
    QObject::connect(&m_pages.c1, &GradeC1Page::openRequested, &m_pages.c1, [this, templates](int document) {
        if (document < 0 || document >= static_cast<int>(kInterviewTools.size()))
            return;
        runUserOperation(m_services.dialogs(), [&] {
            templates().openWorkingCopy(QString::fromLatin1(kInterviewTools[static_cast<std::size_t>(document)]));
        });
    });
}

// ---- Opening a sheet ----

bool SheetController::selectTarget(Command command)
{
    const auto unit = m_navigation.selectedUnitId();
    const auto employee = m_navigation.selectedEmployeeId();
    const auto appraisal = m_navigation.selectedAppraisalId();
    // "Nowa" works from an employee or from one of the employee's appraisals (the toolbar button).
    if (!unit || !employee || (command != Command::NewAppraisal && !appraisal))
        return false;
    m_target = Target{
        identifierText(*unit), identifierText(*employee), appraisal ? identifierText(*appraisal) : std::string(), {}};
    return true;
}

OpenedSheet SheetController::openedSheet(Command command)
{
    const Date today = m_services.environment().clock.today();
    AppraisalRegister appraisals = m_services.appraisals();
    const auto employee = m_services.employees().read(m_target.unitId, m_target.employeeId);
    switch (command) {
    case Command::NewAppraisal: {
        const std::vector<AppraisalEntry> live = appraisals.liveAppraisals(m_target.employeeId);
        const Fields last = live.empty() ? Fields() : appraisals.read(m_target.employeeId, live.back().id);
        return newSheet(today, m_services.units().read(m_target.unitId), employee, last);
    }
    case Command::NewAppraisalFrom:
        return newSheetFrom(today, m_services.units().read(m_target.unitId), employee,
                            appraisals.read(m_target.employeeId, m_target.appraisalId));
    case Command::ViewAppraisal:
        m_target.readAtOpen = appraisals.read(m_target.employeeId, m_target.appraisalId);
        return {viewedSheet(today, m_target.readAtOpen), {}};
    default:
        m_target.readAtOpen = appraisals.read(m_target.employeeId, m_target.appraisalId);
        return continuedSheet(today, m_target.readAtOpen, employee);
    }
}

void SheetController::open(Command command)
{
    if (!selectTarget(command))
        return;
    CommandLock lock(m_host);
    // A read error goes up before any page is shown: the lock lets go and the start page stays.
    const OpenedSheet opened = openedSheet(command);
    const PageMode mode = command == Command::ViewAppraisal       ? PageMode::View
                          : command == Command::ContinueAppraisal ? PageMode::Correct
                                                                  : PageMode::New;
    showOnPages(opened, mode);
    show(PageId::GradeA, m_pages.a.firstField());
    lock.handOverToPage();
}

void SheetController::showOnPages(const OpenedSheet& opened, PageMode mode)
{
    SessionState& session = m_services.session();
    session.pageMode = mode;
    session.criteriaChanged = false;
    session.interviewDocument = opened.sheet.document;
    for (SheetPage* page : std::initializer_list<SheetPage*>{&m_pages.a, &m_pages.b, &m_pages.b1, &m_pages.b2,
                                                             &m_pages.c, &m_pages.c1, &m_pages.d, &m_pages.e}) {
        page->setMode(mode == PageMode::View);
        page->load(opened.sheet);
    }
    m_pages.b1.setDuties(opened.duties.current, opened.duties.additional);
    m_choice->reset(opened.sheet.criteria);
    // The hint boxes keep their texts from one sheet to the next, so the ten help files are read
    // once a session: on a network share they would be thirty round trips for every sheet opened.
    if (!m_helpTextsLoaded) {
        loadHelpTexts();
        m_helpTextsLoaded = true;
    }
}

void SheetController::loadHelpTexts()
{
    const DataDirectory& directory = m_services.directory();
    const std::pair<QTextEdit*, const char*> boxes[] = {
        {m_pages.a.hintText(), "GradeA.hlp"},           {m_pages.b.hintText(), "GradeB.hlp"},
        {m_pages.b1.hintText(), "GradeB1.hlp"},         {m_pages.b2.explanationText(), "GradeB21.hlp"},
        {m_pages.b2.hintText(), "GradeB22.hlp"},        {m_pages.c.hintText(), "GradeC.hlp"},
        {m_pages.c1.explanationText(), "GradeC11.hlp"}, {m_pages.c1.hintText(), "GradeC12.hlp"},
        {m_pages.d.hintText(), "GradeD.hlp"},           {m_pages.e.hintText(), "GradeE.hlp"},
    };
    for (const auto& [box, file] : boxes)
        HelpText::load(directory, QString::fromLatin1(file), *box);
}

void SheetController::show(PageId page, QWidget* focus)
{
    m_host.showPage(page);
    if (focus)
        focus->setFocus();
}

bool SheetController::datesAcceptable()
{
    const std::pair<PageId, QWidget*> pages[] = {{PageId::GradeA, &m_pages.a},
                                                 {PageId::GradeB, &m_pages.b},
                                                 {PageId::GradeC, &m_pages.c},
                                                 {PageId::GradeD, &m_pages.d},
                                                 {PageId::GradeE, &m_pages.e}};
    for (const auto& [id, page] : pages) {
        for (const widgets::TaviroDatePicker* picker : page->findChildren<widgets::TaviroDatePicker*>()) {
            if (picker->isEnabled() && !picker->isAcceptable()) {
                m_host.showPage(id);
                return widgets::datesAcceptable(*page); // says it at the field
            }
        }
    }
    return true;
}

void SheetController::rebuildLevelGridIfChanged()
{
    SessionState& session = m_services.session();
    if (!session.criteriaChanged)
        return;
    Appraisal partB;
    m_pages.b.store(partB);
    m_pages.d.setRows(rebuiltCriterionRows(m_pages.b.criteria(), partB.additionalCriterion));
    session.criteriaChanged = false;
}

// ---- Saving and leaving ----

Appraisal SheetController::collect() const
{
    Appraisal sheet;
    for (const SheetPage* page :
         std::initializer_list<const SheetPage*>{&m_pages.a, &m_pages.b, &m_pages.c, &m_pages.d, &m_pages.e})
        page->store(sheet);
    sheet.document = m_services.session().interviewDocument;
    return sheet;
}

void SheetController::save()
{
    const PageMode mode = m_services.session().pageMode;
    if (mode == PageMode::View || !datesAcceptable())
        return;
    const Appraisal sheet = collect();
    bool saved = false;
    // A failed write keeps the sheet open with everything on it, so the save can be tried again.
    runUserOperation(m_services.dialogs(), [&] {
        if (mode == PageMode::New) {
            saved = saveAsNew(sheet);
            return;
        }
        const auto outcome = m_services.appraisals().replaceIfUnchanged(m_target.employeeId, m_target.appraisalId,
                                                                        m_target.readAtOpen, appraisalFields(sheet));
        if (outcome == AppraisalRegister::Replacement::Replaced) {
            m_navigation.renameSelectedAppraisal(appraisalLabel(sheet.periodEnd));
            saved = true;
            return;
        }
        // Another workstation changed or deleted the record meanwhile: its change stays, and this
        // sheet goes in as a new appraisal or not at all.
        if (m_services.dialogs().askQuestion(changedMeanwhileText())) {
            saved = saveAsNew(sheet);
            m_navigation.fillTree();
        }
    });
    if (saved)
        close();
}

bool SheetController::saveAsNew(const Appraisal& sheet)
{
    const std::string id = m_services.appraisals().add(m_target.employeeId, appraisalFields(sheet));
    m_navigation.addAppraisal(static_cast<int>(parseInteger(m_target.employeeId).value_or(0)), {id, sheet.periodEnd});
    return true;
}

void SheetController::close()
{
    m_services.session().pageMode = PageMode::None;
    m_host.returnToStartPage();
    m_navigation.tree()->setFocus();
}

void SheetController::remove()
{
    if (!selectTarget(Command::DeleteAppraisal))
        return;
    {
        CommandLock lock(m_host);
        if (m_services.dialogs().askQuestion(deleteQuestionText())) {
            // A failed write is told here, so that the tree below is refilled and focused all the same.
            runUserOperation(m_services.dialogs(),
                             [&] { m_services.appraisals().remove(m_target.employeeId, m_target.appraisalId); });
        }
    }
    // Answered either way, and failed or not, the tree shows the files as they are now.
    m_navigation.fillTree();
    m_navigation.tree()->setFocus();
}

} // namespace taviro::ui
