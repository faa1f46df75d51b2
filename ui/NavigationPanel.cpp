#include "NavigationPanel.h"

#include "Services.h"
#include "UserOperation.h"

#include "Appearance.h"
#include "EntryControls.h"
#include "RememberedSizeDelegate.h"
#include "WholeTextTips.h"

#include "Accounts.h"
#include "Register.h"
#include "TextCodec.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <memory>
#include <utility>

namespace taviro::ui {
namespace {

constexpr int kStripHeight = 20;
constexpr int kIdRole = Qt::UserRole;

int integerId(const std::string& id)
{
    return static_cast<int>(parseInteger(id).value_or(0));
}

QString employeeText(const QString& firstName, const QString& surname)
{
    return firstName + QLatin1Char(' ') + surname;
}

// "Ocena z dnia " and the date, made in one allocation; a date as stored is plain ASCII.
QString appraisalText(const std::string& periodEnd)
{
    static constexpr char16_t kPrefix[] = u"Ocena z dnia ";
    constexpr qsizetype kPrefixLength = std::size(kPrefix) - 1;
    if (!std::all_of(periodEnd.begin(), periodEnd.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QStringLiteral("Ocena z dnia ") + QString::fromStdString(periodEnd);
    QString text(kPrefixLength + static_cast<qsizetype>(periodEnd.size()), Qt::Uninitialized);
    QChar* out = std::copy(kPrefix, kPrefix + kPrefixLength, text.data());
    for (const char c : periodEnd)
        *out++ = QLatin1Char(c);
    return text;
}

// A node of the tree. A unit's tree has thousands of them and is made afresh at every fill, so a
// node keeps the identifier of its record and what its text is made of itself, where a plain item
// keeps them in lists per column and role, allocated item by item. An appraisal's text is made
// only when it is asked for: most are never shown, as their employee stays collapsed.
class TreeNode : public QTreeWidgetItem
{
public:
    static TreeNode* employee(QString text, int id)
    {
        auto* node = new TreeNode(id);
        node->m_text = std::move(text);
        return node;
    }
    static TreeNode* appraisal(std::string periodEnd, int id)
    {
        auto* node = new TreeNode(id);
        node->m_periodEnd = std::move(periodEnd);
        node->m_dated = true;
        return node;
    }

    QVariant data(int column, int role) const override
    {
        if (column == 0) {
            if (role == Qt::DisplayRole || role == Qt::EditRole)
                return m_dated ? appraisalText(m_periodEnd) : m_text;
            if (role == kIdRole)
                return m_id;
        }
        return QTreeWidgetItem::data(column, role);
    }

    void setData(int column, int role, const QVariant& value) override
    {
        if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole)) {
            m_text = value.toString();
            m_dated = false;
            emitDataChanged();
        } else if (column == 0 && role == kIdRole) {
            m_id = value.toInt();
            emitDataChanged();
        } else {
            QTreeWidgetItem::setData(column, role, value);
        }
    }

    QTreeWidgetItem* clone() const override
    {
        auto* copy = new TreeNode(*this);
        for (int i = 0; i < childCount(); ++i)
            copy->addChild(child(i)->clone());
        return copy;
    }

private:
    explicit TreeNode(int id) : QTreeWidgetItem(UserType), m_id(id) {}
    // The item part without its children, as QTreeWidgetItem copies (clone adds copies of them).
    TreeNode(const TreeNode& other)
        : QTreeWidgetItem(other), m_text(other.m_text), m_periodEnd(other.m_periodEnd), m_dated(other.m_dated),
          m_id(other.m_id)
    {}

    QString m_text;
    std::string m_periodEnd;
    bool m_dated = false;
    int m_id;
};

QTreeWidgetItem* employeeNode(EmployeeEntry employee)
{
    std::string name;
    name.reserve(employee.firstName.size() + 1 + employee.surname.size());
    name.append(employee.firstName).append(1, ' ').append(employee.surname);
    auto* node = TreeNode::employee(QString::fromStdString(name), integerId(employee.id));
    // One by one: addChildren gathers and walks lists of its own, which costs more for a few.
    for (AppraisalEntry& appraisal : employee.appraisals)
        node->addChild(TreeNode::appraisal(std::move(appraisal.periodEnd), integerId(appraisal.id)));
    return node;
}

} // namespace

NavigationPanel::NavigationPanel(Services& services, QWidget* parent) : QWidget(parent), m_services(services)
{
    setObjectName(QStringLiteral("TaviroNavigationPanel"));
    setFixedWidth(kWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    layout->addWidget(makeStrip(QStringLiteral("Komórki organizacyjne"), QStringLiteral("TaviroNavCellTitlePanel"),
                                QStringLiteral("TaviroNavCellPopupButton"), m_unitStripButton));
    m_units = new widgets::TaviroComboBox(QStringLiteral("TaviroCellComboBox"), this);
    m_units->setContextMenuPolicy(Qt::NoContextMenu);
    m_units->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_units->installEventFilter(this);
    layout->addWidget(m_units);

    layout->addWidget(makeStrip(QStringLiteral("Pracownicy i oceny"), QStringLiteral("TaviroNavPersonTitlePanel"),
                                QStringLiteral("TaviroNavPersonPopupButton"), m_treeStripButton));
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("TaviroPersonTreeView"));
    m_tree->setHeaderHidden(true);
    m_tree->setIndentation(19);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    // A long name is never cut: the column is as wide as the widest node, with a scroll bar when
    // that is wider than the panel, and a node running past the edge shows its whole text.
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_tree->setItemDelegate(new widgets::RememberedSizeDelegate(m_tree));
    m_tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    widgets::showWholeTextOfCutItems(m_tree);
    m_tree->installEventFilter(this);
    m_tree->viewport()->installEventFilter(this);
    layout->addWidget(m_tree, 1);

    widgets::applyEntryBackground(m_tree);

    connect(m_units, qOverload<int>(&QComboBox::activated), this, &NavigationPanel::userPickedUnit);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] { emit treeSelectionChanged(); });
}

QWidget* NavigationPanel::makeStrip(const QString& title, const QString& stripName, const QString& buttonName,
                                    QToolButton*& button)
{
    auto* strip = new QWidget(this);
    strip->setObjectName(stripName);
    strip->setFixedHeight(kStripHeight);
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Dark));
    palette.setColor(QPalette::WindowText, Qt::white);
    strip->setPalette(palette);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 0, 2, 0);
    auto* label = new QLabel(title, strip);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    row->addWidget(label, 1);
    button = new QToolButton(strip);
    button->setObjectName(buttonName);
    button->setAutoRaise(true);
    button->setFixedSize(16, 16);
    button->setArrowType(Qt::DownArrow);
    button->setPopupMode(QToolButton::InstantPopup);
    row->addWidget(button);
    return strip;
}

void NavigationPanel::setPopupMenus(QMenu* unitPopup, QMenu* treePopup)
{
    m_unitPopup = unitPopup;
    m_treePopup = treePopup;
    m_unitStripButton->setMenu(unitPopup);
    m_treeStripButton->setMenu(treePopup);
}

QPoint NavigationPanel::keyboardPopupPoint(QObject* control) const
{
    if (control == m_units)
        return m_units->mapToGlobal(QPoint(0, m_units->height()));
    // Below the selected node where it can be seen; else at the top of the tree.
    QRect node;
    if (QTreeWidgetItem* current = m_tree->currentItem())
        node = m_tree->visualItemRect(current).intersected(m_tree->viewport()->rect());
    const QPoint at = node.isEmpty() ? QPoint(0, 0) : QPoint(node.left(), node.bottom());
    return m_tree->viewport()->mapToGlobal(at);
}

bool NavigationPanel::eventFilter(QObject* watched, QEvent* event)
{
    // Shift+F10 and the Menu key open the control's pop-up menu, where the keyboard works.
    if (event->type() == QEvent::ContextMenu && (watched == m_units || watched == m_tree) &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        if (QMenu* popup = watched == m_units ? m_unitPopup : m_treePopup)
            popup->popup(keyboardPopupPoint(watched));
        return true;
    }
    // A right click opens the control's pop-up menu; on the tree it must not move the selection.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            QMenu* popup = watched == m_units ? m_unitPopup : m_treePopup;
            if (popup && event->type() == QEvent::MouseButtonRelease)
                popup->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void NavigationPanel::userPickedUnit()
{
    // A file that cannot be read leaves the tree empty with the message; the program goes on.
    if (!runUserOperation(m_services.dialogs(), [this] { fillTree(); }))
        m_tree->clear();
    emit unitPicked();
}

void NavigationPanel::fillUnitList()
{
    const auto visible = m_services.unitVisibility();
    const std::vector<UnitEntry> units = m_services.units().liveUnits();
    const QSignalBlocker blocker(m_units);
    m_units->clear();
    for (const UnitEntry& unit : units) {
        if (visible(unit))
            m_units->addItem(QString::fromStdString(unit.name), integerId(unit.id));
    }
    m_units->setCurrentIndex(m_units->count() > 0 ? 0 : -1);
}

void NavigationPanel::fillTree()
{
    const QSignalBlocker blocker(m_tree);
    m_tree->clear();
    const auto unit = selectedUnitId();
    if (!unit)
        return;
    EmployeeRegister employees = m_services.employees();
    std::vector<EmployeeEntry> entries = employees.liveEmployees(identifierText(*unit));
    // The items are made apart from the view, each as soon as its employee's appraisals are in,
    // and handed over in one call. For a large unit that is on the helper thread that scans the
    // appraisal files: an item no view has seen yet is plain data, its own and nobody else's.
    std::vector<std::unique_ptr<QTreeWidgetItem>> made(entries.size());
    employees.fillAppraisals(entries, [&made](std::size_t index, EmployeeEntry& employee) {
        made[index].reset(employeeNode(std::move(employee)));
    });
    QList<QTreeWidgetItem*> nodes;
    nodes.reserve(static_cast<qsizetype>(made.size()));
    for (std::unique_ptr<QTreeWidgetItem>& node : made)
        nodes.append(node.release());
    m_tree->addTopLevelItems(nodes);
    m_tree->setCurrentItem(nullptr);
}

void NavigationPanel::addUnit(const UnitEntry& unit)
{
    m_units->addItem(QString::fromStdString(unit.name), integerId(unit.id));
    m_units->setCurrentIndex(m_units->count() - 1);
    m_tree->clear(); // a new unit has no employees
}

void NavigationPanel::renameSelectedUnit(const QString& name)
{
    m_units->setItemText(m_units->currentIndex(), name);
}

void NavigationPanel::removeSelectedUnit()
{
    const int index = m_units->currentIndex();
    m_units->removeItem(index);
    m_units->setCurrentIndex(m_units->count() == 0 ? -1 : std::max(index - 1, 0));
    fillTree();
}

void NavigationPanel::addEmployee(const EmployeeEntry& employee)
{
    QTreeWidgetItem* node = employeeNode(employee);
    m_tree->addTopLevelItem(node);
    m_tree->setCurrentItem(node);
}

void NavigationPanel::addAppraisal(int employeeId, const AppraisalEntry& appraisal)
{
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* employee = m_tree->topLevelItem(i);
        if (employee->data(0, kIdRole).toInt() != employeeId)
            continue;
        QTreeWidgetItem* node = TreeNode::appraisal(appraisal.periodEnd, integerId(appraisal.id));
        employee->addChild(node);
        m_tree->setCurrentItem(node);
        return;
    }
}

void NavigationPanel::renameSelectedAppraisal(const QString& text)
{
    QTreeWidgetItem* node = m_tree->currentItem();
    if (node && node->parent())
        node->setText(0, text);
}

void NavigationPanel::renameSelectedEmployee(const QString& firstName, const QString& surname)
{
    QTreeWidgetItem* node = m_tree->currentItem();
    if (node && node->parent())
        node = node->parent();
    if (node)
        node->setText(0, employeeText(firstName, surname));
}

void NavigationPanel::removeEmployee(int employeeId)
{
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        if (m_tree->topLevelItem(i)->data(0, kIdRole).toInt() == employeeId) {
            // Nothing stays selected: the commands that need an employee are disabled again.
            const QSignalBlocker blocker(m_tree);
            delete m_tree->takeTopLevelItem(i);
            m_tree->setCurrentItem(nullptr);
            return;
        }
    }
}

void NavigationPanel::showEmployee(const std::string& unitId, const std::string& employeeId)
{
    int index = m_units->findData(integerId(unitId), kIdRole);
    if (index < 0) {
        fillUnitList();
        index = m_units->findData(integerId(unitId), kIdRole);
        if (index < 0)
            return;
    }
    {
        const QSignalBlocker blocker(m_units);
        m_units->setCurrentIndex(index);
    }
    fillTree();
    emit unitPicked();
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* node = m_tree->topLevelItem(i);
        if (node->data(0, kIdRole).toInt() == integerId(employeeId)) {
            m_tree->setCurrentItem(node);
            m_tree->scrollToItem(node);
            return;
        }
    }
}

QStringList NavigationPanel::unitNames() const
{
    QStringList names;
    for (int i = 0; i < m_units->count(); ++i)
        names.append(m_units->itemText(i));
    return names;
}

std::optional<int> NavigationPanel::selectedUnitId() const
{
    if (m_units->currentIndex() < 0)
        return std::nullopt;
    return m_units->currentData(kIdRole).toInt();
}

std::optional<int> NavigationPanel::selectedEmployeeId() const
{
    const QTreeWidgetItem* node = m_tree->currentItem();
    if (!node)
        return std::nullopt;
    if (node->parent())
        node = node->parent();
    return node->data(0, kIdRole).toInt();
}

std::optional<int> NavigationPanel::selectedAppraisalId() const
{
    const QTreeWidgetItem* node = m_tree->currentItem();
    if (!node || !node->parent())
        return std::nullopt;
    return node->data(0, kIdRole).toInt();
}

Selection NavigationPanel::selection() const
{
    const QTreeWidgetItem* node = m_tree->currentItem();
    Selection selection;
    selection.unit = m_units->currentIndex() >= 0;
    selection.employeeNode = node && !node->parent();
    selection.appraisalNode = node && node->parent();
    return selection;
}

} // namespace taviro::ui
