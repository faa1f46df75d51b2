#include "AdminPage.h"

#include "Appearance.h"
#include "EntryControls.h"
#include "GridLook.h"
#include "WholeTextTips.h"

#include "Counters.h"
#include "TextCodec.h"

#include <QLabel>

#include <algorithm>
#include <exception>

namespace taviro::ui {

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kRowHeight = 18;

// Heights of the groups below the grid; the grid takes what the page has left.
constexpr int kUserDataWidth = 256;
constexpr int kMiddleRowHeight = 256;
// Three sub-groups side by side: the password change, the import and the data check, whose
// texts take up to three lines above their buttons.
constexpr int kAdministratorHeight = 128;
constexpr int kSubGroupHeight = kAdministratorHeight - 24;
constexpr int kSubGroupTextHeight = 46;
constexpr int kGap = 6;
constexpr int kTop = ContentPage::kFirstGroupTop;
constexpr int kMinimumGridHeight = 80;
// The data check's group at the right of the import, its button wider for its caption.
constexpr int kCheckGroupWidth = 170;
constexpr int kCheckButtonWidth = 90;

std::string upperTrimmed(const QString& text)
{
    return polishUpper(trimmed(text.toStdString()));
}

QGroupBox* makeGroup(const QString& title, const QString& objectName, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(objectName);
    return group;
}

widgets::TaviroLineEdit* makeEdit(QWidget* parent, const QString& objectName, const QString& caption, int top,
                                  int labelWidth, int editWidth, bool masked)
{
    // Every field of this page is stored pair-encoded in the account files, where "#" and "$" mean
    // nothing: anything the code page holds but no line break.
    auto* edit = new widgets::TaviroLineEdit(objectName, parent, widgets::kAccountLine);
    edit->setGeometry(8 + labelWidth, top, editWidth, 21);
    if (masked)
        edit->setPasswordMode();
    auto* label = new QLabel(caption, parent);
    label->setGeometry(8, top + 3, labelWidth - 4, 16);
    label->setBuddy(edit);
    return edit;
}

QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->resize(ContentPage::kButtonWidth, ContentPage::kButtonHeight);
    return button;
}

QCheckBox* makeCheckBox(QWidget* parent, const QString& objectName, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(objectName);
    return box;
}

} // namespace

TaviroAdminPanel::TaviroAdminPanel(QWidget* parent)
    : ContentPage(QStringLiteral("TaviroAdminPanel"), QStringLiteral("TaviroAdminTitlePanel"), parent)
{
    setTitle(QStringLiteral("Administracja programem"));
    buildUsersGroup();
    buildUserDataGroup();
    buildRightsGroup();
    buildAdministratorGroup();
    auto* close = addButton(ButtonRole::Last, QStringLiteral("TaviroAdminCloseButton"), QStringLiteral("Zamknij"));
    connect(close, &QPushButton::clicked, this, &TaviroAdminPanel::closeClicked);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &TaviroAdminPanel::updateButtons);
    updateButtons();
}

void TaviroAdminPanel::buildUsersGroup()
{
    m_usersGroup = makeGroup(QStringLiteral("Użytkownicy"), QStringLiteral("TaviroAdminGroupBox1"), this);
    m_grid = new QTableView(m_usersGroup);
    m_grid->setObjectName(QStringLiteral("TaviroAdminStringGrid"));
    m_grid->setModel(&m_model);
    applyGridLook(m_grid, kRowHeight, AccountListModel::NumberColumn);
    constexpr int kWidths[Model::ColumnCount] = {28, 140, 140, 140, 147, 140, 0, 0};
    for (int column = 0; column < Model::ColumnCount; ++column)
        m_grid->setColumnWidth(column, kWidths[column]);
    m_grid->setColumnHidden(Model::RightsColumn, true);
    m_grid->setColumnHidden(Model::UnitsColumn, true);
    // Clicking a row or moving with the keys shows that row's account in the fields.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!m_selectingRow)
            emit currentAccountChanged();
    });
    connect(m_grid, &QTableView::clicked, this, [this] { emit currentAccountChanged(); });
}

void TaviroAdminPanel::buildUserDataGroup()
{
    m_userDataGroup = makeGroup(QStringLiteral("Dane użytkownika"), QStringLiteral("TaviroAdminGroupBox2"), this);
    m_personalGroup = makeGroup(QStringLiteral("Personalne"), QStringLiteral("TaviroAdminGroupBox3"), m_userDataGroup);
    m_personalGroup->setGeometry(8, 16, 240, 98);
    m_networkGroup =
        makeGroup(QStringLiteral("Identyfikacja sieciowa"), QStringLiteral("TaviroAdminGroupBox4"), m_userDataGroup);
    m_networkGroup->setGeometry(8, 118, 240, 98);

    const QString names[6] = {QStringLiteral("Imię"),       QStringLiteral("Nazwisko"),
                              QStringLiteral("Stanowisko"), QStringLiteral("Identyfikator"),
                              QStringLiteral("Hasło"),      QStringLiteral("Powtórz hasło")};
    for (int i = 0; i < 6; ++i) {
        QWidget* parent = i < 3 ? m_personalGroup : m_networkGroup;
        m_edits[i] = makeEdit(parent, QStringLiteral("TaviroAdminEdit%1").arg(i + 1), names[i], 18 + (i % 3) * 26, 80,
                              144, i >= 4);
        connect(m_edits[i], &QLineEdit::textChanged, this, &TaviroAdminPanel::updateButtons);
    }

    m_add = makeButton(m_userDataGroup, QStringLiteral("TaviroAdminAddButton"), QStringLiteral("Dodaj"));
    m_correct = makeButton(m_userDataGroup, QStringLiteral("TaviroAdminCorectButton"), QStringLiteral("Popraw"));
    m_delete = makeButton(m_userDataGroup, QStringLiteral("TaviroAdminDeleteButton"), QStringLiteral("Usuń"));
    // Under the two sub-groups, at the right.
    constexpr int kButtonsTop = kMiddleRowHeight - 8 - ContentPage::kButtonHeight;
    m_delete->move(kUserDataWidth - 8 - ContentPage::kButtonWidth, kButtonsTop);
    m_correct->move(m_delete->x() - 6 - ContentPage::kButtonWidth, kButtonsTop);
    m_add->move(m_correct->x() - 6 - ContentPage::kButtonWidth, kButtonsTop);
    connect(m_add, &QPushButton::clicked, this, &TaviroAdminPanel::addClicked);
    connect(m_correct, &QPushButton::clicked, this, &TaviroAdminPanel::correctClicked);
    connect(m_delete, &QPushButton::clicked, this, &TaviroAdminPanel::deleteClicked);
}

void TaviroAdminPanel::buildRightsGroup()
{
    m_rightsGroup = makeGroup(QStringLiteral("Prawa dostępu"), QStringLiteral("TaviroAdminGroupBox5"), this);
    m_unitRightsGroup =
        makeGroup(QStringLiteral("Komórki organizacyjne"), QStringLiteral("TaviroAdminGroupBox6"), m_rightsGroup);
    m_employeeRightsGroup =
        makeGroup(QStringLiteral("Pracownicy"), QStringLiteral("TaviroAdminGroupBox7"), m_rightsGroup);
    m_appraisalRightsGroup = makeGroup(QStringLiteral("Oceny"), QStringLiteral("TaviroAdminGroupBox8"), m_rightsGroup);

    const QString tworzenie = QStringLiteral("Tworzenie");
    const QString podglad = QStringLiteral("Podgląd");
    const QString poprawianie = QStringLiteral("Poprawianie");
    const QString usuwanie = QStringLiteral("Usuwanie");
    // Positions 1–14 of the rights string.
    const struct
    {
        QGroupBox* group;
        const char* name;
        QString caption;
    } boxes[14] = {
        {m_unitRightsGroup, "TaviroAdminACheckBox1", tworzenie},
        {m_unitRightsGroup, "TaviroAdminACheckBox2", podglad},
        {m_unitRightsGroup, "TaviroAdminACheckBox3", poprawianie},
        {m_unitRightsGroup, "TaviroAdminACheckBox4", usuwanie},
        {m_employeeRightsGroup, "TaviroAdminBCheckBox1", tworzenie},
        {m_employeeRightsGroup, "TaviroAdminBCheckBox2", podglad},
        {m_employeeRightsGroup, "TaviroAdminBCheckBox3", poprawianie},
        {m_employeeRightsGroup, "TaviroAdminBCheckBox4", usuwanie},
        {m_appraisalRightsGroup, "TaviroAdminCCheckBox1", tworzenie},
        {m_appraisalRightsGroup, "TaviroAdminCCheckBox2", podglad},
        {m_appraisalRightsGroup, "TaviroAdminCCheckBox3", QStringLiteral("Wydruk")},
        {m_appraisalRightsGroup, "TaviroAdminCCheckBox4", poprawianie},
        {m_appraisalRightsGroup, "TaviroAdminCCheckBox5", usuwanie},
        {m_employeeRightsGroup, "TaviroAdminXCheckBox1", QStringLiteral("Przenoszenie")},
    };
    for (std::size_t i = 0; i < m_rights.size(); ++i)
        m_rights[i] = makeCheckBox(boxes[i].group, QString::fromLatin1(boxes[i].name), boxes[i].caption);
    // The employee and appraisal boxes stand in one column each, "Przenoszenie" last.
    const int employeeOrder[5] = {4, 5, 6, 7, 13};
    for (int row = 0; row < 5; ++row) {
        m_rights[static_cast<std::size_t>(employeeOrder[row])]->setGeometry(10, 18 + row * 21, 96, 17);
        m_rights[static_cast<std::size_t>(8 + row)]->setGeometry(10, 18 + row * 21, 96, 17);
    }

    m_units = new QListWidget(m_unitRightsGroup);
    m_units->setObjectName(QStringLiteral("TaviroAdminCheckListBox"));
    m_units->setSelectionMode(QAbstractItemView::SingleSelection);
    m_units->setTextElideMode(Qt::ElideMiddle);
    widgets::applyEntryBackground(m_units);
    widgets::showWholeTextOfCutItems(m_units);

    m_setRights = makeButton(m_rightsGroup, QStringLiteral("TaviroAdminRightButton"), QStringLiteral("Ustaw"));
    connect(m_setRights, &QPushButton::clicked, this, &TaviroAdminPanel::setRightsClicked);
}

void TaviroAdminPanel::buildAdministratorGroup()
{
    m_administratorGroup = makeGroup(QStringLiteral("Administrator"), QStringLiteral("TaviroAdminGroupBox9"), this);
    m_passwordGroup =
        makeGroup(QStringLiteral("Zmień hasło"), QStringLiteral("TaviroAdminGroupBox10"), m_administratorGroup);
    m_passwordGroup->setGeometry(8, 16, 344, kSubGroupHeight);
    const QString names[3] = {QStringLiteral("Aktualne hasło"), QStringLiteral("Nowe hasło"),
                              QStringLiteral("Powtórz hasło")};
    for (int i = 0; i < 3; ++i) {
        m_edits[6 + i] = makeEdit(m_passwordGroup, QStringLiteral("TaviroAdminEdit%1").arg(7 + i), names[i],
                                  16 + i * 24, 92, 144, true);
        connect(m_edits[6 + i], &QLineEdit::textChanged, this, &TaviroAdminPanel::updateButtons);
    }
    m_change = makeButton(m_passwordGroup, QStringLiteral("TaviroAdminChangeButton"), QStringLiteral("Zmień"));
    m_change->move(344 - 8 - ContentPage::kButtonWidth, kSubGroupHeight - 8 - ContentPage::kButtonHeight);
    connect(m_change, &QPushButton::clicked, this, &TaviroAdminPanel::changePasswordClicked);

    m_importGroup = makeGroup(QStringLiteral("Import"), QStringLiteral("TaviroAdminGroupBox11"), m_administratorGroup);
    m_importText = new QLabel(QStringLiteral("Funkcja umożliwia zbirczy import komórek organizacyjnych wraz z "
                                             "przypisanymi do nich pracownikami."),
                              m_importGroup);
    m_importText->setObjectName(QStringLiteral("TaviroAdminLabel1"));
    m_importText->setWordWrap(true);
    m_importText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_import = makeButton(m_importGroup, QStringLiteral("TaviroAdminImportButton"), QStringLiteral("Importuj"));
    connect(m_import, &QPushButton::clicked, this, &TaviroAdminPanel::importClicked);

    // Made after "Importuj", so Tab reaches it between that button and "Zamknij".
    m_checkGroup =
        makeGroup(QStringLiteral("Kontrola danych"), QStringLiteral("TaviroAdminGroupBox12"), m_administratorGroup);
    m_checkText = new QLabel(m_checkGroup);
    m_checkText->setObjectName(QStringLiteral("TaviroAdminLabel2"));
    m_checkText->setWordWrap(true);
    m_checkText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_check = makeButton(m_checkGroup, QStringLiteral("TaviroAdminCheckButton"), QStringLiteral("Sprawdź dane"));
    m_check->resize(kCheckButtonWidth, kButtonHeight);
    connect(m_check, &QPushButton::clicked, this, &TaviroAdminPanel::checkDataClicked);
    setDataCheckRunning(false);
    setDataCheckAllowed(false);
}

void TaviroAdminPanel::setDataCheckAllowed(bool allowed)
{
    m_checkAllowed = allowed;
    m_checkGroup->setVisible(allowed);
    m_check->setEnabled(allowed && !m_checkRunning);
    layOutPage();
}

void TaviroAdminPanel::setDataCheckRunning(bool running)
{
    m_checkRunning = running;
    m_check->setEnabled(m_checkAllowed && !running);
    m_checkText->setText(running ? QStringLiteral("Sprawdzanie danych…")
                                 : QStringLiteral("Sprawdza pliki danych; niczego w nich nie zmienia."));
    if (running)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void TaviroAdminPanel::layOutGroups(int width, int height)
{
    const int groupWidth = width - 2 * kMargin;
    const int bottom = height - kBevelAboveBottom - kGap;
    const int gridHeight =
        std::max(kMinimumGridHeight, bottom - kTop - kMiddleRowHeight - kAdministratorHeight - 2 * kGap);

    m_usersGroup->setGeometry(kMargin, kTop, groupWidth, gridHeight);
    m_grid->setGeometry(8, 16, groupWidth - 16, gridHeight - 24);

    const int middleTop = kTop + gridHeight + kGap;
    m_userDataGroup->setGeometry(kMargin, middleTop, kUserDataWidth, kMiddleRowHeight);

    const int rightsWidth = groupWidth - kUserDataWidth - kGap;
    m_rightsGroup->setGeometry(kMargin + kUserDataWidth + kGap, middleTop, rightsWidth, kMiddleRowHeight);
    constexpr int kColumnWidth = 112;
    const int appraisalLeft = rightsWidth - 8 - kColumnWidth;
    const int employeeLeft = appraisalLeft - 6 - kColumnWidth;
    m_appraisalRightsGroup->setGeometry(appraisalLeft, 16, kColumnWidth, 130);
    m_employeeRightsGroup->setGeometry(employeeLeft, 16, kColumnWidth, 130);
    m_setRights->move(rightsWidth - 8 - kButtonWidth, kMiddleRowHeight - 8 - kButtonHeight);
    const int unitWidth = employeeLeft - 6 - 8;
    m_unitRightsGroup->setGeometry(8, 16, unitWidth, kMiddleRowHeight - 24);
    // The four unit rights in two columns above the checklist of units.
    const int half = (unitWidth - 20) / 2;
    for (int i = 0; i < 4; ++i)
        m_rights[static_cast<std::size_t>(i)]->setGeometry(10 + (i % 2) * half, 18 + (i / 2) * 21, half, 17);
    m_units->setGeometry(8, 62, unitWidth - 16, m_unitRightsGroup->height() - 70);

    const int administratorTop = middleTop + kMiddleRowHeight + kGap;
    m_administratorGroup->setGeometry(kMargin, administratorTop, groupWidth, kAdministratorHeight);
    const int importLeft = 8 + m_passwordGroup->width() + kGap;
    const int checkWidth = m_checkGroup->isHidden() ? 0 : kCheckGroupWidth + kGap;
    const int importWidth = groupWidth - importLeft - 8 - checkWidth;
    m_importGroup->setGeometry(importLeft, 16, importWidth, kSubGroupHeight);
    m_importText->setGeometry(8, 20, importWidth - 16, kSubGroupTextHeight);
    m_import->move(importWidth - 8 - kButtonWidth, kSubGroupHeight - 8 - kButtonHeight);
    m_checkGroup->setGeometry(importLeft + importWidth + kGap, 16, kCheckGroupWidth, kSubGroupHeight);
    m_checkText->setGeometry(8, 20, kCheckGroupWidth - 16, kSubGroupTextHeight);
    m_check->move(kCheckGroupWidth - 8 - kCheckButtonWidth, kSubGroupHeight - 8 - kButtonHeight);
}

QString TaviroAdminPanel::cell(int row, int column) const
{
    return m_model.data(m_model.index(row, column), Qt::DisplayRole).toString();
}

int TaviroAdminPanel::currentRow() const
{
    return std::clamp(m_grid->currentIndex().row(), 0, m_model.rowCount() - 1);
}

void TaviroAdminPanel::selectRow(int row)
{
    m_selectingRow = true;
    m_grid->setCurrentIndex(m_model.index(row, Model::FirstNameColumn));
    m_grid->selectRow(row);
    m_selectingRow = false;
}

void TaviroAdminPanel::setUnits(const std::vector<UnitEntry>& units)
{
    m_units->clear();
    for (const UnitEntry& unit : units) {
        auto* item = new QListWidgetItem(QString::fromStdString(unit.name), m_units);
        item->setData(kIdRole, static_cast<int>(parseInteger(unit.id).value_or(0)));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    if (m_units->count() > 0)
        m_units->setCurrentRow(0);
}

void TaviroAdminPanel::setCurrentPassword(const std::string& password)
{
    m_currentPassword = password;
    updateButtons();
}

void TaviroAdminPanel::clearAll()
{
    for (widgets::TaviroLineEdit* edit : m_edits)
        edit->clear();
    for (QCheckBox* box : m_rights)
        box->setChecked(false);
}

void TaviroAdminPanel::clearPasswordChange()
{
    for (std::size_t i = 6; i < m_edits.size(); ++i)
        m_edits[i]->clear();
}

QString TaviroAdminPanel::rightsFromCheckBoxes() const
{
    QString rights;
    for (const QCheckBox* box : m_rights)
        rights += box->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return rights;
}

QString TaviroAdminPanel::unitsFromChecklist() const
{
    QString units;
    for (int i = 0; i < m_units->count(); ++i) {
        const QListWidgetItem* item = m_units->item(i);
        if (item->checkState() == Qt::Checked)
            units += QString::fromStdString(identifierText(item->data(kIdRole).toInt())) + QLatin1Char('#');
    }
    return units;
}

void TaviroAdminPanel::showAccount(const UserAccount& account)
{
    m_edits[0]->setText(QString::fromStdString(account.firstName));
    m_edits[1]->setText(QString::fromStdString(account.surname));
    m_edits[2]->setText(QString::fromStdString(account.position));
    m_edits[3]->setText(QString::fromStdString(account.identifier));
    m_edits[4]->setText(QString::fromStdString(account.password));
    m_edits[5]->setText(QString::fromStdString(account.password));
    const QString rights = QString::fromStdString(account.rights).leftJustified(32, QLatin1Char('0'));
    for (std::size_t i = 0; i < m_rights.size(); ++i)
        m_rights[i]->setChecked(rights.at(static_cast<qsizetype>(i)) == QLatin1Char('1'));
    std::vector<long long> permitted;
    for (const QString& element : QString::fromStdString(account.units).split(QLatin1Char('#'), Qt::SkipEmptyParts)) {
        if (const auto value = parseInteger(element.toStdString()))
            permitted.push_back(*value);
    }
    for (int i = 0; i < m_units->count(); ++i) {
        QListWidgetItem* item = m_units->item(i);
        const long long id = item->data(kIdRole).toInt();
        const bool checked = std::find(permitted.begin(), permitted.end(), id) != permitted.end();
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    updateButtons();
}

UserAccount TaviroAdminPanel::enteredAccount() const
{
    UserAccount account;
    account.firstName = m_edits[0]->trimmedText();
    account.surname = m_edits[1]->trimmedText();
    account.position = m_edits[2]->trimmedText();
    account.identifier = m_edits[3]->trimmedText();
    account.password = m_edits[4]->trimmedText();
    account.rights = rightsFromCheckBoxes().toStdString();
    account.units = unitsFromChecklist().toStdString();
    return account;
}

std::string TaviroAdminPanel::newAdministratorPassword() const
{
    return upperTrimmed(m_edits[7]->text());
}

void TaviroAdminPanel::updateButtons()
{
    const auto filled = [this](std::size_t i) { return !m_edits[i]->trimmedText().empty(); };
    const bool complete =
        filled(0) && filled(1) && filled(3) && filled(4) && filled(5) && m_edits[4]->text() == m_edits[5]->text();
    m_add->setEnabled(complete);
    m_correct->setEnabled(complete);

    const bool anyAccount = !AccountListModel::isEmpty(m_model.row(0));
    m_delete->setEnabled(anyAccount);
    m_setRights->setEnabled(anyAccount);

    const bool currentMatches = upperTrimmed(m_edits[6]->text()) == polishUpper(trimmed(m_currentPassword));
    m_change->setEnabled(currentMatches && filled(7) && filled(8) && m_edits[7]->text() == m_edits[8]->text());
}

} // namespace taviro::ui
