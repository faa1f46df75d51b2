#include "GradeB1Page.h"

#include "Appearance.h"
#include "EntryControls.h"

#include <QEvent>

namespace taviro::ui {
namespace {

constexpr int kDutyTop = ContentPage::kFirstGroupTop;
constexpr int kDutyHeight = 90;
constexpr int kChoiceTop = kDutyTop + kDutyHeight + ContentPage::kGroupGap;
constexpr int kChoiceBottom = ContentPage::kHintTop - ContentPage::kGroupGap;
constexpr int kGroupListWidth = 110;
constexpr int kListsHeight = 200;
constexpr int kNumberRole = Qt::UserRole;

QListWidgetItem* entryItem(const CriterionEntry& entry)
{
    auto* item = new QListWidgetItem(QString::fromStdString(entry.name));
    item->setData(kNumberRole, entry.number);
    return item;
}

void fill(QListWidget* list, const std::vector<CriterionEntry>& entries)
{
    list->clear();
    for (const CriterionEntry& entry : entries)
        list->addItem(entryItem(entry));
}

} // namespace

GradeB1Page::GradeB1Page(QWidget* parent)
    : SheetPage(QStringLiteral("GradeB1"),
                QStringLiteral("Wybór kryteriów do oceny i notatki z rozmów przed i po ich ustaleniu"),
                QStringLiteral("TaviroGradeB1Memo4"), Buttons::Return, parent)
{
    buildDutyGroup();
    buildChoiceGroup();
    for (widgets::TaviroMemo* memo : m_memos)
        memo->setReadOnly(true);
    // Nothing is selected yet.
    setButtonsEnabled(false, false);
}

void GradeB1Page::buildDutyGroup()
{
    m_dutyGroup = makeGroup(QStringLiteral(" Obowiązki, zadania i uprawnienia pracownika "), 1);
    const QString captions[] = {QStringLiteral("Bieżące"),
                                QStringLiteral("Dodatkowe \nw trakcie \nocenianego \nokresu")};
    for (int i = 0; i < 2; ++i) {
        m_memos[i] = new widgets::TaviroMemo(QStringLiteral("TaviroGradeB1Memo%1").arg(i + 1), m_dutyGroup);
        m_memoCaptions[i] = makeCaption(captions[i], m_memos[i], m_dutyGroup);
        m_memoCaptions[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
}

void GradeB1Page::buildChoiceGroup()
{
    m_choiceGroup = makeGroup(QStringLiteral(" Wybór kryteriów do oceny "), 2);
    const QString captions[] = {QStringLiteral("Grupy kryteriów"), QStringLiteral("Kryteria do oceny"),
                                QStringLiteral("Kryteria wybrane")};
    for (int i = 0; i < 3; ++i) {
        m_lists[i] = new QListWidget(m_choiceGroup);
        m_lists[i]->setObjectName(QStringLiteral("TaviroGradeB1ListBox%1").arg(i + 1));
        widgets::applyEntryBackground(m_lists[i]);
        m_lists[i]->installEventFilter(this);
        m_listCaptions[i] = makeCaption(captions[i], m_lists[i], m_choiceGroup);
        connect(m_lists[i], &QListWidget::clicked, this, [this, i] { reportChoice(m_lists[i]); });
    }
    m_add = makeButton(QStringLiteral("AddButton"), QStringLiteral("Dodaj ->"), m_choiceGroup);
    m_delete = makeButton(QStringLiteral("DelButton"), QStringLiteral("<- Usuń"), m_choiceGroup);
    m_memos[2] = new widgets::TaviroMemo(QStringLiteral("TaviroGradeB1Memo3"), m_choiceGroup);
    m_memoCaptions[2] = makeCaption(QStringLiteral("Opis"), m_memos[2], m_choiceGroup);
    setTabOrder(m_lists[1], m_add);
    setTabOrder(m_add, m_delete);
    setTabOrder(m_delete, m_lists[2]);
    connect(m_add, &QPushButton::clicked, this, &GradeB1Page::addRequested);
    connect(m_delete, &QPushButton::clicked, this, &GradeB1Page::deleteRequested);
}

QWidget* GradeB1Page::firstField() const
{
    return m_memos[0];
}

void GradeB1Page::setDuties(const std::string& current, const std::string& additional)
{
    m_memos[0]->setStoredText(current);
    m_memos[1]->setStoredText(additional);
}

void GradeB1Page::setDescription(const std::string& description)
{
    m_memos[2]->setStoredText(description);
}

void GradeB1Page::setGroups(const std::vector<std::string>& names)
{
    m_lists[0]->clear();
    for (const std::string& name : names)
        m_lists[0]->addItem(QString::fromStdString(name));
}

void GradeB1Page::setCriteria(const std::vector<CriterionEntry>& criteria)
{
    fill(m_lists[1], criteria);
}

void GradeB1Page::setChosen(const std::vector<CriterionEntry>& chosen)
{
    fill(m_lists[2], chosen);
}

std::vector<CriterionEntry> GradeB1Page::chosen() const
{
    std::vector<CriterionEntry> entries;
    for (int row = 0; row < m_lists[2]->count(); ++row) {
        const QListWidgetItem* item = m_lists[2]->item(row);
        entries.push_back({item->text().toStdString(), item->data(kNumberRole).toInt()});
    }
    return entries;
}

void GradeB1Page::select(QListWidget* list, int row)
{
    if (row < 0 || row >= list->count()) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return;
    }
    list->setCurrentRow(row);
}

int GradeB1Page::selectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

int GradeB1Page::selectedCriterion() const
{
    const int row = selectedRow(m_lists[1]);
    return row < 0 ? -1 : m_lists[1]->item(row)->data(kNumberRole).toInt();
}

void GradeB1Page::setButtonsEnabled(bool add, bool remove)
{
    m_add->setEnabled(add);
    m_delete->setEnabled(remove);
}

void GradeB1Page::reportChoice(const QListWidget* list)
{
    const int row = selectedRow(list);
    if (list == m_lists[0])
        emit groupChosen(row);
    else if (list == m_lists[1])
        emit criterionChosen(row);
    else
        emit chosenEntryChosen(row);
}

bool GradeB1Page::eventFilter(QObject* watched, QEvent* event)
{
    // A key released in a list (the arrows moving its selection, say) counts as a click on it.
    if (event->type() == QEvent::KeyRelease) {
        for (const QListWidget* list : m_lists) {
            if (watched == list)
                reportChoice(list);
        }
    }
    return SheetPage::eventFilter(watched, event);
}

void GradeB1Page::layOutGroups(int width, int)
{
    const int groupWidth = width - 2 * kMargin;
    layOutDutyGroup(groupWidth);
    layOutChoiceGroup(groupWidth);
}

void GradeB1Page::layOutDutyGroup(int groupWidth)
{
    // "Bieżące" [current duties]  "Dodatkowe w trakcie ocenianego okresu" [additional duties]
    m_dutyGroup->setGeometry(kMargin, kDutyTop, groupWidth, kDutyHeight);
    const int top = kSheet.firstRowTop;
    const int memoHeight = kDutyHeight - top - kSheet.bottomPadding;
    const int half = groupWidth / 2;
    for (int i = 0; i < 2; ++i) {
        const int captionLeft = i == 0 ? kSheet.inset : half + kSheet.gap;
        const int captionWidth = m_memoCaptions[i]->sizeHint().width();
        m_memoCaptions[i]->setGeometry(captionLeft, top, captionWidth, memoHeight);
        const int memoLeft = captionLeft + captionWidth + kSheet.gap;
        const int memoRight = i == 0 ? half - kSheet.gap : rowEnd(m_dutyGroup);
        m_memos[i]->setGeometry(memoLeft, top, memoRight - memoLeft, memoHeight);
    }
}

void GradeB1Page::layOutChoiceGroup(int groupWidth)
{
    // Groups | criteria | the two buttons | chosen, and the description below them.
    m_choiceGroup->setGeometry(kMargin, kChoiceTop, groupWidth, kChoiceBottom - kChoiceTop);
    const int captionTop = kSheet.firstRowTop;
    const int listTop = captionTop + 18;
    const int end = rowEnd(m_choiceGroup);
    const int listWidth = (end - kSheet.inset - kGroupListWidth - kButtonWidth - 4 * kSheet.gap) / 2;
    const int lefts[] = {kSheet.inset, kSheet.inset + kGroupListWidth + kSheet.gap, end - listWidth};
    const int widths[] = {kGroupListWidth, listWidth, listWidth};
    for (int i = 0; i < 3; ++i) {
        placeCaption(m_listCaptions[i], lefts[i], captionTop);
        m_lists[i]->setGeometry(lefts[i], listTop, widths[i], kListsHeight);
    }
    const int buttonLeft =
        lefts[1] + listWidth + kSheet.gap + (lefts[2] - lefts[1] - listWidth - 2 * kSheet.gap - kButtonWidth) / 2;
    m_add->setGeometry(buttonLeft, listTop + kListsHeight / 2 - kButtonHeight - 3, kButtonWidth, kButtonHeight);
    m_delete->setGeometry(buttonLeft, listTop + kListsHeight / 2 + 3, kButtonWidth, kButtonHeight);
    const int descriptionTop = listTop + kListsHeight + kSheet.gap;
    placeCaption(m_memoCaptions[2], kSheet.inset, descriptionTop);
    const int memoTop = descriptionTop + 18;
    m_memos[2]->setGeometry(kSheet.inset, memoTop, end - kSheet.inset,
                            m_choiceGroup->height() - kSheet.bottomPadding - memoTop);
}

} // namespace taviro::ui
