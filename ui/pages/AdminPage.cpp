#include "AdminPage.h"

#include "../Appearance.h"
#include "../NavigationPanel.h"
#include "../TaviroMainCode.h"

#include "Cp1250Validator.h"
#include "MessageDialogs.h"
#include "RecordFieldValidator.h"

#include "Accounts.h"
#include "TaviroTypeCode.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <exception>

namespace taviro::ui {

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kRowHeight = 18;

// Heights of the groups below the grid; the grid takes what the page has left.
constexpr int kUserDataWidth = 256;
constexpr int kMiddleRowHeight = 256;
constexpr int kAdministratorHeight = 116;
constexpr int kGap = 6;
constexpr int kTop = ContentPage::kTitleHeight + 8;
constexpr int kMinimumGridHeight = 80;

// The fixed first column: filled like the header and its number right-aligned 3 pixels from the
// cell's right edge; selection does not colour it.
class FixedColumnDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.column() != TaviroAdminPanel::NumberColumn) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QPalette& palette = option.palette;
        painter->save();
        painter->fillRect(option.rect, palette.color(QPalette::Button));
        painter->setPen(palette.color(QPalette::Mid));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->setPen(palette.color(QPalette::WindowText));
        painter->drawText(option.rect.adjusted(0, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

QString trimmedText(const QLineEdit* edit)
{
    return QString::fromStdString(taviro::trimmed(edit->text().toStdString()));
}

QString upperTrimmed(const QString& text)
{
    return QString::fromStdString(polishUpper(taviro::trimmed(text.toStdString())));
}

QGroupBox* makeGroup(const QString& title, const QString& objectName, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(objectName);
    return group;
}

QLineEdit* makeEdit(QWidget* parent, const QString& objectName, const QString& caption, int top, int labelWidth,
                    int editWidth, bool masked)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setGeometry(8 + labelWidth, top, editWidth, 21);
    applyEntryBackground(edit);
    if (masked) {
        edit->setEchoMode(QLineEdit::Password);
        // Asterisks on every platform, not the style's own bullets.
        edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
        // A password is one field of a user line: anything the code page holds but no line break.
        edit->setValidator(new Cp1250Validator(edit));
    } else {
        edit->setValidator(new RecordFieldValidator(edit));
    }
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

TaviroAdminPanel::TaviroAdminPanel(TTaviroMainForm& window, QWidget* parent)
    : ContentPage(QStringLiteral("TaviroAdminPanel"), QStringLiteral("TaviroAdminTitlePanel"), parent), m_window(window)
{
    setTitle(QStringLiteral("Administracja programem"));
    buildUsersGroup();
    buildUserDataGroup();
    buildRightsGroup();
    buildAdministratorGroup();
    auto* close = addButton(ButtonRole::Last, QStringLiteral("TaviroAdminCloseButton"), QStringLiteral("Zamknij"));
    connect(close, &QPushButton::clicked, this, &TaviroAdminPanel::TaviroAdminCloseButtonClick);
    TaviroAdminEdit1Change();
}

void TaviroAdminPanel::buildUsersGroup()
{
    m_usersGroup = makeGroup(QStringLiteral("Użytkownicy"), QStringLiteral("TaviroAdminGroupBox1"), this);
    m_grid = new QTableWidget(1, ColumnCount, m_usersGroup);
    m_grid->setObjectName(QStringLiteral("TaviroAdminStringGrid"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Lp."), QStringLiteral("Imię"), QStringLiteral("Nazwisko"),
                                       QStringLiteral("Stanowisko"), QStringLiteral("Identyfikator"),
                                       QStringLiteral("Hasło"), QString(), QString()});
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_grid->verticalHeader()->setMinimumSectionSize(kRowHeight);
    QHeaderView* header = m_grid->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignCenter);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setFixedHeight(kRowHeight + 2);
    header->setMinimumSectionSize(0);
    constexpr int kWidths[ColumnCount] = {28, 140, 140, 140, 147, 140, 0, 0};
    for (int column = 0; column < ColumnCount; ++column)
        m_grid->setColumnWidth(column, kWidths[column]);
    m_grid->setColumnHidden(RightsColumn, true);
    m_grid->setColumnHidden(UnitsColumn, true);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setTabKeyNavigation(false);
    m_grid->setWordWrap(false);
    m_grid->setItemDelegate(new FixedColumnDelegate(m_grid));
    applyEntryBackground(m_grid);
    // Clicking a row or moving with the keys shows that row's account in the fields.
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this] { TaviroAdminStringGridClick(); });
    connect(m_grid, &QTableWidget::cellClicked, this, [this] { TaviroAdminStringGridClick(); });
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
        connect(m_edits[i], &QLineEdit::textChanged, this, &TaviroAdminPanel::TaviroAdminEdit1Change);
    }

    m_add = makeButton(m_userDataGroup, QStringLiteral("TaviroAdminAddButton"), QStringLiteral("Dodaj"));
    m_correct = makeButton(m_userDataGroup, QStringLiteral("TaviroAdminCorectButton"), QStringLiteral("Popraw"));
    m_delete = makeButton(m_userDataGroup, QStringLiteral("TaviroAdminDeleteButton"), QStringLiteral("Usuń"));
    // Under the two sub-groups, at the right.
    constexpr int kButtonsTop = kMiddleRowHeight - 8 - ContentPage::kButtonHeight;
    m_delete->move(kUserDataWidth - 8 - ContentPage::kButtonWidth, kButtonsTop);
    m_correct->move(m_delete->x() - 6 - ContentPage::kButtonWidth, kButtonsTop);
    m_add->move(m_correct->x() - 6 - ContentPage::kButtonWidth, kButtonsTop);
    connect(m_add, &QPushButton::clicked, this, &TaviroAdminPanel::TaviroAdminAddButtonClick);
    connect(m_correct, &QPushButton::clicked, this, &TaviroAdminPanel::TaviroAdminCorectButtonClick);
    connect(m_delete, &QPushButton::clicked, this, &TaviroAdminPanel::TaviroAdminDeleteButtonClick);
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
    applyEntryBackground(m_units);

    m_setRights = makeButton(m_rightsGroup, QStringLiteral("TaviroAdminRightButton"), QStringLiteral("Ustaw"));
    connect(m_setRights, &QPushButton::clicked, this, &TaviroAdminPanel::TaviroAdminRightButtonClick);
}

void TaviroAdminPanel::buildAdministratorGroup()
{
    m_administratorGroup = makeGroup(QStringLiteral("Administrator"), QStringLiteral("TaviroAdminGroupBox9"), this);
    m_passwordGroup =
        makeGroup(QStringLiteral("Zmień hasło"), QStringLiteral("TaviroAdminGroupBox10"), m_administratorGroup);
    m_passwordGroup->setGeometry(8, 16, 344, 92);
    const QString names[3] = {QStringLiteral("Aktualne hasło"), QStringLiteral("Nowe hasło"),
                              QStringLiteral("Powtórz hasło")};
    for (int i = 0; i < 3; ++i) {
        m_edits[6 + i] = makeEdit(m_passwordGroup, QStringLiteral("TaviroAdminEdit%1").arg(7 + i), names[i],
                                  16 + i * 24, 92, 144, true);
        connect(m_edits[6 + i], &QLineEdit::textChanged, this, &TaviroAdminPanel::TaviroAdminEdit1Change);
    }
    m_change = makeButton(m_passwordGroup, QStringLiteral("TaviroAdminChangeButton"), QStringLiteral("Zmień"));
    m_change->move(344 - 8 - ContentPage::kButtonWidth, 62);
    connect(m_change, &QPushButton::clicked, this, &TaviroAdminPanel::TaviroAdminChangeButtonClick);

    m_importGroup = makeGroup(QStringLiteral("Import"), QStringLiteral("TaviroAdminGroupBox11"), m_administratorGroup);
    m_importText = new QLabel(QStringLiteral("Funkcja umożliwia zbirczy import komórek organizacyjnych wraz z "
                                             "przypisanymi do nich pracownikami."),
                              m_importGroup);
    m_importText->setObjectName(QStringLiteral("TaviroAdminLabel1"));
    m_importText->setWordWrap(true);
    m_importText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_import = makeButton(m_importGroup, QStringLiteral("TaviroAdminImportButton"), QStringLiteral("Importuj"));
    connect(m_import, &QPushButton::clicked, this, &TaviroAdminPanel::TaviroAdminImportButtonClick);
}

void TaviroAdminPanel::layOutGroups(int width, int height)
{
    const int groupWidth = width - 16;
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
    const int importWidth = groupWidth - importLeft - 8;
    m_importGroup->setGeometry(importLeft, 16, importWidth, 92);
    m_importText->setGeometry(8, 20, importWidth - 16, 32);
    m_import->move(importWidth - 8 - kButtonWidth, 92 - 8 - kButtonHeight);
}

QString TaviroAdminPanel::cell(int row, int column) const
{
    const QTableWidgetItem* item = m_grid->item(row, column);
    return item ? item->text() : QString();
}

void TaviroAdminPanel::setCell(int row, int column, const QString& text)
{
    QTableWidgetItem* item = m_grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        m_grid->setItem(row, column, item);
    }
    item->setText(text);
}

bool TaviroAdminPanel::rowIsEmpty(int row) const
{
    return cell(row, FirstNameColumn).isEmpty();
}

int TaviroAdminPanel::currentRow() const
{
    return std::max(0, m_grid->currentRow());
}

void TaviroAdminPanel::selectRow(int row)
{
    m_grid->setCurrentCell(row, FirstNameColumn);
    m_grid->selectRow(row);
}

void TaviroAdminPanel::renumber()
{
    for (int row = 0; row < m_grid->rowCount(); ++row)
        setCell(row, NumberColumn, QString::number(row + 1));
}

void TaviroAdminPanel::putAccount(int row, const UserAccount& account)
{
    setCell(row, NumberColumn, QString::number(row + 1));
    setCell(row, FirstNameColumn, QString::fromStdString(account.firstName));
    setCell(row, SurnameColumn, QString::fromStdString(account.surname));
    setCell(row, PositionColumn, QString::fromStdString(account.position));
    setCell(row, IdentifierColumn, QString::fromStdString(account.identifier));
    setCell(row, PasswordColumn, QString::fromStdString(account.password));
    setCell(row, RightsColumn, QString::fromStdString(account.rights));
    setCell(row, UnitsColumn, QString::fromStdString(account.units));
}

void TaviroAdminPanel::fillGrid()
{
    const QSignalBlocker blocker(m_grid);
    m_grid->clearContents();
    m_grid->setRowCount(1);
    for (int column = 0; column < ColumnCount; ++column)
        setCell(0, column, QString());
    for (const UserAccount& account : m_window.accounts().readUsers()) {
        // Lines go into the first row while it holds no account, so a placeholder line of an
        // emptied file never becomes a row of its own.
        int row = 0;
        if (!rowIsEmpty(0)) {
            row = m_grid->rowCount();
            m_grid->insertRow(row);
        }
        putAccount(row, account);
    }
}

void TaviroAdminPanel::fillChecklist()
{
    m_units->clear();
    for (const LiveRecord& unit : m_window.records().enumerateLive(unitsFileName(), RecordKind::Unit, {"CELLNAME="})) {
        auto* item = new QListWidgetItem(QString::fromStdString(unit.values[0]), m_units);
        item->setData(kIdRole, static_cast<int>(parseInteger(unit.id).value_or(0)));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    if (m_units->count() > 0)
        m_units->setCurrentRow(0);
}

void TaviroAdminPanel::open()
{
    for (int i = 0; i < 6; ++i)
        m_edits[static_cast<std::size_t>(i)]->clear();
    for (QCheckBox* box : m_rights)
        box->setChecked(false);
    fillGrid();
    {
        const QSignalBlocker blocker(m_grid);
        selectRow(0);
    }
    fillChecklist();
    for (int i = 6; i < 9; ++i)
        m_edits[static_cast<std::size_t>(i)]->clear();
    TaviroAdminStringGridClick();
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

// Shows the current row in the fields.
void TaviroAdminPanel::TaviroAdminStringGridClick()
{
    const int row = currentRow();
    if (!rowIsEmpty(row)) {
        for (int i = 0; i < 4; ++i)
            m_edits[static_cast<std::size_t>(i)]->setText(cell(row, FirstNameColumn + i));
        m_edits[4]->setText(cell(row, PasswordColumn));
        m_edits[5]->setText(cell(row, PasswordColumn));
        const QString rights = cell(row, RightsColumn).leftJustified(32, QLatin1Char('0'));
        for (std::size_t i = 0; i < m_rights.size(); ++i)
            m_rights[i]->setChecked(rights.at(static_cast<qsizetype>(i)) == QLatin1Char('1'));
        std::vector<long long> permitted;
        for (const QString& element : cell(row, UnitsColumn).split(QLatin1Char('#'), Qt::SkipEmptyParts)) {
            if (const auto value = parseInteger(element.toStdString()))
                permitted.push_back(*value);
        }
        for (int i = 0; i < m_units->count(); ++i) {
            QListWidgetItem* item = m_units->item(i);
            const long long id = item->data(kIdRole).toInt();
            const bool checked = std::find(permitted.begin(), permitted.end(), id) != permitted.end();
            item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        }
    } else {
        for (int i = 0; i < 6; ++i)
            m_edits[static_cast<std::size_t>(i)]->clear();
        for (QCheckBox* box : m_rights)
            box->setChecked(false);
        for (int i = 0; i < m_units->count(); ++i)
            m_units->item(i)->setCheckState(Qt::Unchecked);
    }
    TaviroAdminEdit1Change();
}

// Updates the buttons.
void TaviroAdminPanel::TaviroAdminEdit1Change()
{
    const auto filled = [this](int i) { return !trimmedText(m_edits[static_cast<std::size_t>(i)]).isEmpty(); };
    const bool complete =
        filled(0) && filled(1) && filled(3) && filled(4) && filled(5) && m_edits[4]->text() == m_edits[5]->text();
    m_add->setEnabled(complete);
    m_correct->setEnabled(complete);

    const bool anyAccount = !rowIsEmpty(0);
    m_delete->setEnabled(anyAccount);
    m_setRights->setEnabled(anyAccount);

    const bool currentMatches =
        upperTrimmed(m_edits[6]->text()) == upperTrimmed(QString::fromStdString(m_window.session().password));
    m_change->setEnabled(currentMatches && filled(7) && filled(8) && m_edits[7]->text() == m_edits[8]->text());
}

void TaviroAdminPanel::setAccountColumns(int row)
{
    for (int i = 0; i < 5; ++i)
        setCell(row, FirstNameColumn + i, trimmedText(m_edits[static_cast<std::size_t>(i)]));
    setCell(row, RightsColumn, rightsFromCheckBoxes());
    setCell(row, UnitsColumn, unitsFromChecklist());
}

void TaviroAdminPanel::TaviroAdminAddButtonClick()
{
    const QSignalBlocker blocker(m_grid);
    int row = 0;
    if (!rowIsEmpty(0)) {
        row = m_grid->rowCount();
        m_grid->insertRow(row);
    }
    setCell(row, NumberColumn, QString::number(row + 1));
    setAccountColumns(row);
    selectRow(row);
    writeUserFile();
    TaviroAdminStringGridClick();
}

void TaviroAdminPanel::TaviroAdminCorectButtonClick()
{
    const QSignalBlocker blocker(m_grid);
    const int row = currentRow();
    setAccountColumns(row);
    writeUserFile();
    TaviroAdminStringGridClick();
}

void TaviroAdminPanel::TaviroAdminRightButtonClick()
{
    const QSignalBlocker blocker(m_grid);
    const int row = currentRow();
    setCell(row, RightsColumn, rightsFromCheckBoxes());
    setCell(row, UnitsColumn, unitsFromChecklist());
    writeUserFile();
    TaviroAdminStringGridClick();
}

void TaviroAdminPanel::TaviroAdminDeleteButtonClick()
{
    const QSignalBlocker blocker(m_grid);
    const int row = currentRow();
    const int last = m_grid->rowCount() - 1;
    if (row == last) {
        for (int column = 0; column < ColumnCount; ++column)
            setCell(row, column, QString());
        if (m_grid->rowCount() > 1)
            m_grid->removeRow(last);
    } else {
        for (int below = row + 1; below <= last; ++below) {
            for (int column = FirstNameColumn; column < ColumnCount; ++column)
                setCell(below - 1, column, cell(below, column));
        }
        m_grid->removeRow(last);
        renumber();
    }
    selectRow(std::max(0, row - 1));
    writeUserFile();
    TaviroAdminStringGridClick();
}

bool TaviroAdminPanel::writeUserFile()
{
    std::vector<UserAccount> accounts;
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        UserAccount account;
        account.firstName = cell(row, FirstNameColumn).toStdString();
        account.surname = cell(row, SurnameColumn).toStdString();
        account.position = cell(row, PositionColumn).toStdString();
        account.identifier = cell(row, IdentifierColumn).toStdString();
        account.password = cell(row, PasswordColumn).toStdString();
        account.rights = cell(row, RightsColumn).toStdString();
        account.units = cell(row, UnitsColumn).toStdString();
        accounts.push_back(std::move(account));
    }
    try {
        m_window.accounts().writeUsers(accounts);
        return true;
    } catch (const std::exception& error) {
        reportError(error);
    }
    // The grid goes back to what the file holds.
    const int row = currentRow();
    try {
        fillGrid();
    } catch (const std::exception& error) {
        reportError(error);
    }
    selectRow(std::min(row, m_grid->rowCount() - 1));
    return false;
}

void TaviroAdminPanel::reportError(const std::exception& error)
{
    m_window.environment().dialogs.showInformation(fileErrorText(error));
}

void TaviroAdminPanel::TaviroAdminChangeButtonClick()
{
    try {
        m_window.accounts().writeAdministratorPassword(upperTrimmed(m_edits[7]->text()).toStdString());
    } catch (const std::exception& error) {
        // The password edits keep their text so that the user can try again.
        reportError(error);
        return;
    }
    for (int i = 6; i < 9; ++i)
        m_edits[static_cast<std::size_t>(i)]->clear();
    TaviroAdminEdit1Change();
}

void TaviroAdminPanel::TaviroAdminImportButtonClick()
{
    {
        TTaviroImportForm dialog(m_window.records(), m_window.environment().dialogs,
                                 QString::fromStdString(m_window.dataDirectory().path()), m_importFileChooser,
                                 &m_window);
        if (m_window.environment().runDialog)
            m_window.environment().runDialog(dialog);
        else
            dialog.exec();
    }
    // The navigation panel shows the imported units; this page's checklist keeps what it showed
    // when the page was opened.
    try {
        NavigationPanel* navigation = m_window.navigation();
        navigation->fillUnitList(m_window.records(), m_window.accounts(), m_window.session().user);
        navigation->fillTree(m_window.records());
    } catch (const std::exception& error) {
        reportError(error);
    }
}

void TaviroAdminPanel::TaviroAdminCloseButtonClick()
{
    m_window.returnToStartPage();
    m_window.navigation()->tree()->setFocus();
}

} // namespace taviro::ui
