#include "TaviroMainCode.h"

#include "AdminController.h"
#include "Appearance.h"
#include "CommandBar.h"
#include "EmployeeController.h"
#include "MoveController.h"
#include "NavigationPanel.h"
#include "UnitController.h"
#include "pages/ContentPage.h"
#include "pages/StartPage.h"

#include "DesktopShell.h"
#include "GuiWaitNotifier.h"
#include "MessageDialogs.h"
#include "TaviroAboutCode.h"
#include "TaviroHelpCode.h"
#include "UserSettings.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>

namespace taviro::ui {
namespace {

constexpr char kPlacementKey[] = "TaviroMainForm";
constexpr int kStatusBarHeight = 19;

QString laterVersionText()
{
    return QStringLiteral("Ta funkcja będzie dostępna w kolejnej wersji programu.");
}

} // namespace

TTaviroMainForm::TTaviroMainForm(DataDirectory directory, Environment& environment, QWidget* parent)
    : QMainWindow(parent), m_directory(std::move(directory)), m_environment(environment),
      m_notifier(std::make_unique<GuiWaitNotifier>(environment.dialogs)), m_files(m_directory, *m_notifier),
      m_counters(m_files), m_accounts(m_files)
{
    setObjectName(QStringLiteral("TaviroMainForm"));
    setWindowTitle(caption());
    setFont(windowFont());
    setMinimumSize(kInitialWidth, kMinimumHeight);

    m_commands = new CommandBar(this);
    connect(m_commands, &CommandBar::triggered, this, &TTaviroMainForm::runCommand);

    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    m_navigation = new NavigationPanel(central);
    m_navigation->setPopupMenus(m_commands->unitPopup(), m_commands->treePopup());
    connect(m_navigation, &NavigationPanel::unitPicked, this, &TTaviroMainForm::updateCommandStates);
    connect(m_navigation, &NavigationPanel::treeSelectionChanged, this, &TTaviroMainForm::updateCommandStates);
    row->addWidget(m_navigation);
    m_pages = new QStackedWidget(central);
    m_pages->setObjectName(QStringLiteral("TaviroContentArea"));
    row->addWidget(m_pages, 1);
    setCentralWidget(central);
    makeHandlers();
    buildContentPages();

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

ContentPage* TTaviroMainForm::addContentPage(const QString& name, const QString& titleName, const QString& title,
                                             bool withHint, const QString& hintName)
{
    auto* page = new ContentPage(name, titleName, m_pages);
    page->setTitle(title);
    if (withHint)
        page->addHintBox(hintName);
    page->addButton(ContentPage::ButtonRole::Help, name.chopped(5) + QStringLiteral("HelpButton"),
                    QStringLiteral("Pomoc"));
    auto* last = page->addButton(ContentPage::ButtonRole::Last, name.chopped(5) + QStringLiteral("CancelButton"),
                                 withHint ? QStringLiteral("Rezygnuj") : QStringLiteral("Zamknij"));
    connect(page->button(ContentPage::ButtonRole::Help), &QPushButton::clicked, this,
            [this] { showHelpDialog(false); });
    connect(last, &QPushButton::clicked, this, &TTaviroMainForm::returnToStartPage);
    return page;
}

void TTaviroMainForm::makeHandlers()
{
    // Each area of the program makes its page(s) and carries out its commands.
    m_handlers.push_back(std::make_unique<AdminController>(*this));
    m_handlers.push_back(std::make_unique<MoveController>(*this));
    m_handlers.push_back(std::make_unique<UnitController>(*this));
    m_handlers.push_back(std::make_unique<EmployeeController>(*this));
}

void TTaviroMainForm::installPage(int page, QWidget* widget)
{
    widget->setParent(m_pages);
    m_pageWidgets.at(static_cast<std::size_t>(page)) = widget;
}

void TTaviroMainForm::returnToStartPage()
{
    showPage(StartPageIndex);
    unlockCommands();
}

void TTaviroMainForm::buildContentPages()
{
    m_startPage = new StartPage(m_pages);
    m_pageWidgets[StartPageIndex] = m_startPage;
    struct PageInfo
    {
        Page index;
        const char* name;
        const char* title;
        const char* hint;
    };
    // The pages' own controls come with their commands; until then each page shows its frame.
    static constexpr PageInfo kPages[] = {
        {CellPage, "TaviroCellPanel", "", "TaviroCellMemo1"},
        {PersonPage, "TaviroPersonPanel", "", "TaviroPersonMemo3"},
        {GradeAPage, "TaviroGradeAPanel", "", "TaviroGradeAMemo1"},
        {GradeBPage, "TaviroGradeBPanel", "", "TaviroGradeBMemo3"},
        {GradeB1Page, "TaviroGradeB1Panel", "Wybór kryteriów do oceny i notatki z rozmów przed i po ich ustaleniu",
         "TaviroGradeB1Memo4"},
        {GradeCPage, "TaviroGradeCPanel", "", "TaviroGradeCMemo2"},
        {GradeDPage, "TaviroGradeDPanel", "", "TaviroGradeDMemo1"},
        {GradeEPage, "TaviroGradeEPanel", "", "TaviroGradeEMemo1"},
        {GradeB2Page, "TaviroGradeB2Panel", "Wyjaśnienia dotyczące obowiązkowej rozmowy przed wyborem kryteriów",
         "TaviroGradeB2Memo2"},
        {GradeC1Page, "TaviroGradeC1Panel", "Instrukcje jak przeprowadzić rozmowę oceniającą", "TaviroGradeC1Memo2"},
        {AdminPage, "TaviroAdminPanel", "Administracja programem", nullptr},
    };
    for (const PageInfo& info : kPages) {
        if (m_pageWidgets[info.index])
            continue; // an area installed its own page
        const QString name = QString::fromUtf8(info.name);
        m_pageWidgets[info.index] =
            addContentPage(name, name.chopped(5) + QStringLiteral("TitlePanel"), QString::fromUtf8(info.title),
                           info.hint != nullptr, QString::fromUtf8(info.hint ? info.hint : ""));
    }
    for (QWidget* page : m_pageWidgets)
        m_pages->addWidget(page);
    m_pages->setCurrentIndex(StartPageIndex);
}

QWidget* TTaviroMainForm::page(int page) const
{
    return m_pageWidgets.at(static_cast<std::size_t>(page));
}

void TTaviroMainForm::showPage(int page)
{
    m_session.currentPage = page;
    m_pages->setCurrentIndex(page);
    layOutCurrentPage();
}

void TTaviroMainForm::layOutCurrentPage()
{
    if (auto* content = qobject_cast<ContentPage*>(m_pages->currentWidget()))
        content->layOutPage();
}

void TTaviroMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_startRequested)
        return;
    m_startRequested = true;
    // The login comes once the window is on the screen, from the event loop.
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

void TTaviroMainForm::startUp()
{
    m_session.user.clear();
    m_session.password.clear();
    const LoginAnswer answer = m_environment.login(m_accounts, this);
    if (!answer.accepted) {
        close();
        QCoreApplication::exit(0);
        return;
    }
    m_session.user = answer.user.toStdString();
    m_session.password = answer.password.toStdString();
    try {
        platform::createDirectories(m_directory.file("Temp"));
        m_session.sessionNumber = m_counters.next(Counter::Session);
        m_records = std::make_unique<RecordFiles>(m_files, m_counters, m_session.sessionNumber);
        m_navigation->fillUnitList(*m_records, m_accounts, m_session.user);
        m_navigation->fillTree(*m_records);
    } catch (const std::exception& error) {
        // Without a session number nothing can be written: the program cannot go on.
        reportError(error);
        if (!m_records) {
            close();
            QCoreApplication::exit(1);
            return;
        }
    }
    showPage(StartPageIndex);
    unlockCommands();
    m_navigation->unitList()->setFocus();
    m_started = true;
    m_startTimer->start();
    emit started();
}

void TTaviroMainForm::showHelpAtStart()
{
    if (helpAtStart(m_environment.settings))
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
    if (m_accounts.mayRun(m_session.user, code.toStdString()))
        return true;
    lockCommands();
    m_environment.dialogs.showInformation(QString::fromStdString(refusalText(m_session.user)));
    unlockCommands();
    return false;
}

void TTaviroMainForm::runCommand(Command command)
{
    if (!m_started || m_commands->isLocked())
        return;
    try {
        carryOut(command);
    } catch (const std::exception& error) {
        reportError(error);
        if (m_commands->isLocked() && m_session.currentPage == StartPageIndex)
            unlockCommands();
    }
}

void TTaviroMainForm::carryOut(Command command)
{
    const CommandInfo& info = commandInfo(command);
    const QString right = QString::fromUtf8(info.right);
    if (right == QLatin1String("admin")) {
        if (!isAdministrator(m_session.user)) {
            lockCommands();
            m_environment.dialogs.showInformation(QStringLiteral("Funkcja dostępna tylko dla administratora."));
            unlockCommands();
            return;
        }
    } else if (!right.isEmpty() && !checkRight(right)) {
        return;
    }
    switch (command) {
    case Command::Exit:
        close();
        return;
    case Command::Regulations:
        openReferenceDocument(m_environment.shell, m_directory, ReferenceDocument::Regulations);
        return;
    case Command::Statute:
        openReferenceDocument(m_environment.shell, m_directory, ReferenceDocument::Statute);
        return;
    case Command::WebPage:
        openProducerWebPage(m_environment.shell);
        return;
    case Command::Mail:
        openProducerMail(m_environment.shell);
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
    // The appraisal sheets are not part of this version; the user is told so instead of seeing
    // nothing happen.
    lockCommands();
    m_environment.dialogs.showInformation(laterVersionText());
    unlockCommands();
}

void TTaviroMainForm::runModal(QDialog& dialog)
{
    if (m_environment.runDialog)
        m_environment.runDialog(dialog);
    else
        dialog.exec();
}

void TTaviroMainForm::showHelpDialog(bool lock)
{
    if (lock)
        lockCommands();
    {
        TTaviroHelpForm help(m_directory, m_environment.settings, m_environment.printer, this);
        runModal(help);
    }
    if (lock)
        unlockCommands();
}

void TTaviroMainForm::showAboutDialog()
{
    lockCommands();
    {
        TTaviroAboutForm about(this);
        runModal(about);
    }
    unlockCommands();
}

void TTaviroMainForm::bringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TTaviroMainForm::restorePlacement()
{
    const auto stored = m_environment.settings.value(QString::fromLatin1(kPlacementKey));
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
    m_environment.settings.setValue(QString::fromLatin1(kPlacementKey), QString::fromLatin1(saveGeometry().toBase64()));
}

void TTaviroMainForm::reportError(const std::exception& error)
{
    m_environment.dialogs.showInformation(fileErrorText(error));
}

} // namespace taviro::ui
