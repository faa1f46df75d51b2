#include "TaviroMainCode.h"

#include "AdminController.h"
#include "CommandBar.h"
#include "DeadlinesController.h"
#include "EmployeeController.h"
#include "IconFactory.h"
#include "MenuKeys.h"
#include "MoveController.h"
#include "NavigationPanel.h"
#include "PrintController.h"
#include "ProgramIdentity.h"
#include "UnitController.h"
#include "UserOperation.h"
#include "dialogs/TaviroAboutCode.h"
#include "pages/AdminPage.h"
#include "pages/CellPage.h"
#include "pages/DeadlinesPage.h"
#include "pages/PersonPage.h"
#include "pages/StartPage.h"
#include "pages/sheet/GradeAPage.h"
#include "pages/sheet/GradeB1Page.h"
#include "pages/sheet/GradeB2Page.h"
#include "pages/sheet/GradeBPage.h"
#include "pages/sheet/GradeC1Page.h"
#include "pages/sheet/GradeCPage.h"
#include "pages/sheet/GradeDPage.h"
#include "pages/sheet/GradeEPage.h"
#include "sheet/SheetController.h"

#include "Appearance.h"
#include "KeptFocus.h"
#include "MessageDialogs.h"

#include "DesktopShell.h"
#include "TaviroHelpCode.h"
#include "UserSettings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>

#include <optional>
#include <stdexcept>

namespace taviro::ui {
namespace {

constexpr char kPlacementKey[] = "TaviroMainForm";
constexpr int kStatusBarHeight = 19;

} // namespace

TTaviroMainForm::TTaviroMainForm(DataDirectory directory, Environment& environment, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(directory), environment)
{
    presentProgram();
    setObjectName(QStringLiteral("TaviroMainForm"));
    setWindowTitle(caption());
    setWindowIcon(programIcon());
    setFont(widgets::windowFont());
    setMinimumSize(kInitialWidth, kMinimumHeight);

    m_commands = new CommandBar(this);
    connect(m_commands, &CommandBar::triggered, this, &TTaviroMainForm::runCommand);
    new MenuKeys(*this);

    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    m_navigation = new NavigationPanel(m_services, central);
    m_navigation->setPopupMenus(m_commands->unitPopup(), m_commands->treePopup());
    connect(m_navigation, &NavigationPanel::unitPicked, this, &TTaviroMainForm::updateCommandStates);
    connect(m_navigation, &NavigationPanel::treeSelectionChanged, this, &TTaviroMainForm::updateCommandStates);
    row->addWidget(m_navigation);
    m_pages = new QStackedWidget(central);
    m_pages->setObjectName(QStringLiteral("TaviroContentArea"));
    row->addWidget(m_pages, 1);
    setCentralWidget(central);
    // Locking the commands disables the panel, which lets go of the focus; unlocked, the keys go
    // on where they were.
    widgets::keepFocusAcrossDisabling(m_navigation, central);
    makePages();
    makeControllers();

    statusBar()->setObjectName(QStringLiteral("TaviroStatusBar"));
    statusBar()->setFixedHeight(kStatusBarHeight);
    statusBar()->setSizeGripEnabled(true);

    m_startTimer = new QTimer(this);
    m_startTimer->setSingleShot(true);
    m_startTimer->setInterval(kHelpDelayMs);
    connect(m_startTimer, &QTimer::timeout, this, &TTaviroMainForm::showHelpAtStart);

    restorePlacement();
    // Nothing may be touched before the login: the commands wait locked until start-up.
    lockCommands();
}

TTaviroMainForm::~TTaviroMainForm() = default;

QString TTaviroMainForm::caption()
{
    return QStringLiteral("Ocena okresowa pracownika samorządowego");
}

QString TTaviroMainForm::applicationTitle()
{
    return QStringLiteral("Roreduva vizir uroradadudazaz azivavuzed idadorizodoza");
}

void TTaviroMainForm::place(PageId page, QWidget* widget)
{
    m_pageWidgets[static_cast<std::size_t>(page)] = widget;
}

template <typename Page> Page& TTaviroMainForm::pageAs(PageId page) const
{
    return *static_cast<Page*>(this->page(page));
}

void TTaviroMainForm::makePages()
{
    place(PageId::Start, new StartPage(m_pages));
    place(PageId::Cell, new CellPage(m_pages));
    place(PageId::Person, new PersonPage(m_pages));
    place(PageId::Admin, new TaviroAdminPanel(m_pages));
    place(PageId::GradeA, new GradeAPage(m_pages));
    place(PageId::GradeB, new GradeBPage(m_pages));
    place(PageId::GradeB1, new GradeB1Page(m_pages));
    place(PageId::GradeB2, new GradeB2Page(m_pages));
    place(PageId::GradeC, new GradeCPage(m_pages));
    place(PageId::GradeC1, new GradeC1Page(m_pages));
    place(PageId::GradeD, new GradeDPage(m_pages));
    place(PageId::GradeE, new GradeEPage(m_pages));
    place(PageId::Deadlines, new DeadlinesPage(m_pages));
    for (QWidget* page : m_pageWidgets)
        m_pages->addWidget(page);
    m_pages->setCurrentIndex(static_cast<int>(PageId::Start));
}

void TTaviroMainForm::makeControllers()
{
    // Each area of the program carries out its commands over its page.
    m_handlers.push_back(
        std::make_unique<AdminController>(m_services, *this, *m_navigation, pageAs<TaviroAdminPanel>(PageId::Admin)));
    m_handlers.push_back(std::make_unique<MoveController>(m_services, *this, *m_navigation));
    m_handlers.push_back(
        std::make_unique<UnitController>(m_services, *this, *m_navigation, pageAs<CellPage>(PageId::Cell)));
    m_handlers.push_back(
        std::make_unique<EmployeeController>(m_services, *this, *m_navigation, pageAs<PersonPage>(PageId::Person)));
    const SheetPages sheet{pageAs<GradeAPage>(PageId::GradeA),   pageAs<GradeBPage>(PageId::GradeB),
                           pageAs<GradeB1Page>(PageId::GradeB1), pageAs<GradeB2Page>(PageId::GradeB2),
                           pageAs<GradeCPage>(PageId::GradeC),   pageAs<GradeC1Page>(PageId::GradeC1),
                           pageAs<GradeDPage>(PageId::GradeD),   pageAs<GradeEPage>(PageId::GradeE)};
    m_handlers.push_back(std::make_unique<SheetController>(m_services, *this, *m_navigation, sheet));
    m_handlers.push_back(std::make_unique<PrintController>(m_services, *this, *m_navigation));
    m_handlers.push_back(std::make_unique<DeadlinesController>(m_services, *this, *m_navigation,
                                                               pageAs<DeadlinesPage>(PageId::Deadlines)));
}

void TTaviroMainForm::returnToStartPage()
{
    showPage(PageId::Start);
    unlockCommands();
}

QWidget* TTaviroMainForm::page(PageId page) const
{
    return m_pageWidgets.at(static_cast<std::size_t>(page));
}

void TTaviroMainForm::showPage(PageId page)
{
    m_services.session().currentPage = page;
    m_pages->setCurrentIndex(static_cast<int>(page));
    layOutCurrentPage();
}

void TTaviroMainForm::layOutCurrentPage()
{
    if (auto* content = qobject_cast<ContentPage*>(m_pages->currentWidget()))
        content->layOutPage();
}

void TTaviroMainForm::setVisible(bool visible)
{
    if (visible && !m_loginAsked) {
        m_loginAsked = true;
        m_loggedIn = logIn();
        if (!m_loggedIn) {
            // The event loop may not run yet (the window is shown before it starts): the end is
            // queued for it.
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
            return;
        }
    }
    QMainWindow::setVisible(visible);
}

void TTaviroMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_startRequested || !m_loggedIn)
        return;
    m_startRequested = true;
    // The rest of start-up comes once the window is on the screen, from the event loop.
    QTimer::singleShot(0, this, &TTaviroMainForm::startUp);
}

void TTaviroMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layOutCurrentPage();
}

void TTaviroMainForm::closeEvent(QCloseEvent* event)
{
    if (m_started)
        savePlacement();
    m_startTimer->stop();
    QMainWindow::closeEvent(event);
}

bool TTaviroMainForm::logIn()
{
    SessionState& session = m_services.session();
    session.user.clear();
    session.password.clear();
    const LoginAnswer answer = m_services.environment().login(m_services.accounts(), this);
    if (!answer.accepted)
        return false;
    session.user = answer.user.toStdString();
    session.password = answer.password.toStdString();
    return true;
}

void TTaviroMainForm::startUp()
{
    runUserOperation(m_services.dialogs(), [this] {
        platform::createDirectories(m_services.directory().file("Temp"));
        m_services.beginSession();
        m_navigation->fillUnitList();
        m_navigation->fillTree();
    });
    if (!m_services.hasSession()) {
        // Without a session number nothing can be written: the program cannot go on.
        close();
        QCoreApplication::exit(1);
        return;
    }
    showPage(PageId::Start);
    unlockCommands();
    m_navigation->unitList()->setFocus();
    m_started = true;
    m_startTimer->start();
    emit started();
}

void TTaviroMainForm::showHelpAtStart()
{
    if (helpAtStart(m_services.environment().settings))
        showHelpDialog(true);
}

void TTaviroMainForm::lockCommands()
{
    m_commands->lock();
    m_navigation->setEnabled(false);
}

void TTaviroMainForm::unlockCommands()
{
    m_commands->unlock();
    m_navigation->setEnabled(true);
    updateCommandStates();
}

void TTaviroMainForm::updateCommandStates()
{
    m_commands->updateStates(m_navigation->selection());
}

bool TTaviroMainForm::checkRight(const QString& code)
{
    const std::string& user = m_services.session().user;
    if (m_services.accounts().mayRun(user, code.toStdString()))
        return true;
    CommandLock lock(*this);
    m_services.dialogs().showInformation(QString::fromStdString(refusalText(user)));
    return false;
}

void TTaviroMainForm::runCommand(Command command)
{
    if (!m_started || m_commands->isLocked())
        return;
    // Every command that locks does it through a CommandLock, so an error leaves the commands as
    // they were before the command: unlocked on the start page, or locked on the page it opened.
    runUserOperation(m_services.dialogs(), [&] { carryOut(command); });
}

bool TTaviroMainForm::passesGuard(const CommandInfo& info)
{
    const QString right = QString::fromUtf8(info.right);
    if (right == QLatin1String("admin")) {
        if (isAdministrator(m_services.session().user))
            return true;
        CommandLock lock(*this);
        m_services.dialogs().showInformation(QStringLiteral("Funkcja dostępna tylko dla administratora."));
        return false;
    }
    return right.isEmpty() || checkRight(right);
}

void TTaviroMainForm::carryOut(Command command)
{
    if (!passesGuard(commandInfo(command)))
        return;
    Environment& environment = m_services.environment();
    switch (command) {
    case Command::Exit:
        close();
        return;
    case Command::Regulations:
        openReferenceDocument(environment.shell, m_services.directory(), ReferenceDocument::Regulations);
        return;
    case Command::Statute:
        openReferenceDocument(environment.shell, m_services.directory(), ReferenceDocument::Statute);
        return;
    case Command::WebPage:
        openProducerWebPage(environment.shell);
        return;
    case Command::Mail:
        openProducerMail(environment.shell);
        return;
    case Command::Help:
        showHelpDialog(true);
        return;
    case Command::About:
        showAboutDialog();
        return;
    default:
        break;
    }
    for (const auto& handler : m_handlers) {
        if (handler->handles(command)) {
            handler->run(command);
            return;
        }
    }
    // Every command of the table has its handler; one without is a fault of the program, which
    // the user operation reports as such.
    throw std::logic_error("no handler for a command of the command table");
}

void TTaviroMainForm::runDialog(QDialog& dialog)
{
    if (m_services.environment().runDialog)
        m_services.environment().runDialog(dialog);
    else
        dialog.exec();
}

void TTaviroMainForm::showHelpDialog(bool lock)
{
    std::optional<CommandLock> locked;
    if (lock)
        locked.emplace(*this);
    Environment& environment = m_services.environment();
    TTaviroHelpForm help(m_services.directory(), environment.settings, environment.printer, this);
    runDialog(help);
}

void TTaviroMainForm::showAboutDialog()
{
    CommandLock lock(*this);
    TTaviroAboutForm about(this);
    runDialog(about);
}

void TTaviroMainForm::showStatusMessage(const QString& text)
{
    statusBar()->showMessage(text);
}

void TTaviroMainForm::bringToFront()
{
    if (!m_loggedIn) {
        // Nothing of the window before the login: the login dialog comes to the front instead.
        if (QWidget* login = QApplication::activeModalWidget()) {
            login->raise();
            login->activateWindow();
        }
        return;
    }
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TTaviroMainForm::restorePlacement()
{
    const auto stored = m_services.environment().settings.value(QString::fromLatin1(kPlacementKey));
    if (stored && restoreGeometry(QByteArray::fromBase64(stored->toLatin1())))
        return;
    resize(kInitialWidth, kInitialHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(kInitialWidth / 2, kInitialHeight / 2));
    }
}

void TTaviroMainForm::savePlacement()
{
    m_services.environment().settings.setValue(QString::fromLatin1(kPlacementKey),
                                               QString::fromLatin1(saveGeometry().toBase64()));
}

} // namespace taviro::ui
