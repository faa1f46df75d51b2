#include "NavigationPanel.h"

#include "Appearance.h"
#include "TaviroTypeCode.h"

#include "Accounts.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace taviro::ui {
namespace {

constexpr int kStripHeight = 20;
constexpr int kIdRole = Qt::UserRole;

QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

int integerId(const std::string& id)
{
    return static_cast<int>(parseInteger(id).value_or(0));
}

} // namespace

NavigationPanel::NavigationPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TaviroNavigationPanel"));
    setFixedWidth(kWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    layout->addWidget(makeStrip(QStringLiteral("Komórki organizacyjne"), QStringLiteral("TaviroNavCellTitlePanel"),
                                QStringLiteral("TaviroNavCellPopupButton"), m_unitStripButton));
    m_units = new QComboBox(this);
    m_units->setObjectName(QStringLiteral("TaviroCellComboBox"));
    m_units->setEditable(false);
    m_units->setContextMenuPolicy(Qt::NoContextMenu);
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
    m_tree->viewport()->installEventFilter(this);
    layout->addWidget(m_tree, 1);

    applyEntryBackground(m_units);
    applyEntryBackground(m_tree);

    connect(m_units, qOverload<int>(&QComboBox::activated), this, [this](int) {
        if (m_records)
            fillTree(*m_records);
        emit unitPicked();
    });
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

bool NavigationPanel::eventFilter(QObject* watched, QEvent* event)
{
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

void NavigationPanel::fillUnitList(RecordFiles& records, Accounts& accounts, const std::string& userName)
{
    m_records = &records;
    const bool administrator = isAdministrator(userName);
    const std::string accessList = administrator ? std::string() : accounts.unitAccessList(userName);
    const QSignalBlocker blocker(m_units);
    m_units->clear();
    for (const LiveRecord& unit : records.enumerateLive(unitsFileName(), RecordKind::Unit, {"CELLNAME="})) {
        if (Accounts::unitAccessCheck(administrator, unit.id, accessList))
            m_units->addItem(fromUtf8(unit.values[0]), integerId(unit.id));
    }
    m_units->setCurrentIndex(m_units->count() > 0 ? 0 : -1);
}

void NavigationPanel::fillTree(RecordFiles& records)
{
    m_records = &records;
    const QSignalBlocker blocker(m_tree);
    m_tree->clear();
    const auto unit = selectedUnitId();
    if (!unit)
        return;
    // The employee file is read whole and let go before the appraisal files are opened, so the
    // tree never holds two files at once.
    const auto employees = records.enumerateLive(employeesFileName(identifierText(*unit)), RecordKind::Employee,
                                                 {"PERSONNAME=", "PERSONSURNAME="});
    for (const LiveRecord& employee : employees) {
        auto* node = new QTreeWidgetItem(m_tree);
        node->setText(0, fromUtf8(employee.values[0] + " " + employee.values[1]));
        node->setData(0, kIdRole, integerId(employee.id));
        for (const LiveRecord& appraisal :
             records.enumerateLive(appraisalsFileName(employee.id), RecordKind::Appraisal, {"SECTIONDDATE2="})) {
            auto* child = new QTreeWidgetItem(node);
            child->setText(0, QStringLiteral("Ocena z dnia ") + fromUtf8(appraisal.values[0]));
            child->setData(0, kIdRole, integerId(appraisal.id));
        }
    }
    m_tree->setCurrentItem(nullptr);
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
