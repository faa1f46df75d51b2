#include "GradeBPage.h"

#include "Appearance.h"
#include "EntryControls.h"

#include <QSignalBlocker>

#include <algorithm>

namespace taviro::ui {
namespace {

constexpr int kCriteriaRows = 7;
constexpr int kApprovalRows = 4;
constexpr int kInterviewTop = ContentPage::kFirstGroupTop;
constexpr int kSelectTop = kInterviewTop + sheetGroupHeight(1) + ContentPage::kGroupGap;
constexpr int kCriteriaTop = kSelectTop + sheetGroupHeight(1) + ContentPage::kGroupGap;
constexpr int kApprovalTop = kCriteriaTop + sheetGroupHeight(kCriteriaRows) + ContentPage::kGroupGap;
constexpr int kMonthWidth = 45;
constexpr int kYearWidth = 50;
// A memo takes two rows.
constexpr int kMemoHeight = kSheet.rowPitch + kSheet.fieldHeight;

// The one-line fields TaviroGradeBEdit1 … 6 and their values.
constexpr std::array<std::string Appraisal::*, 6> kEditValues = {
    &Appraisal::additionalCriterion, &Appraisal::writtenYear, &Appraisal::evaluatorFullName,
    &Appraisal::evaluatorPositionB,  &Appraisal::headName,    &Appraisal::headCity};

} // namespace

GradeBPage::GradeBPage(QWidget* parent)
    : SheetPage(QStringLiteral("GradeB"), QStringLiteral("Arkusz oceny okresowej pracownika samorządowego - część B"),
                QStringLiteral("TaviroGradeBMemo3"), Buttons::BackAndNext, parent)
{
    buildStepGroups();
    buildCriteriaGroup();
    buildApprovalGroup();
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        bind(m_edits[i], kEditValues[i]);
    bind(m_memos[0], &Appraisal::additionalNote);
    bind(m_memos[1], &Appraisal::headNote);
    bind(m_date, &Appraisal::evaluatorDateB);
    addEntries({m_month});
    addActions({m_interview, m_select});
    connect(m_edits[0], &QLineEdit::textEdited, this, &GradeBPage::additionalCriterionEdited);
    connect(m_date, &QDateEdit::dateChanged, this, &GradeBPage::evaluatorDateChanged);
}

void GradeBPage::buildStepGroups()
{
    m_groups[0] = makeGroup(QStringLiteral("Rozmowa przed wyborem kryteriów"), 1);
    m_stepCaptions[0] =
        makeCaption(QStringLiteral("Wyjaśnienia dotyczące rozmowy przed wyborem kryteriów"), nullptr, m_groups[0]);
    m_interview = makeButton(QStringLiteral("EditButton"), QStringLiteral("Rozmowa"), m_groups[0]);
    m_groups[1] = makeGroup(QStringLiteral("Wybór kryteriów"), 2);
    m_stepCaptions[1] = makeCaption(QStringLiteral("Wybierz nie mniej niż 1 i nie więcej niż 11 kryteriów oceny"),
                                    nullptr, m_groups[1]);
    m_select = makeButton(QStringLiteral("SelectButton"), QStringLiteral("Wybierz"), m_groups[1]);
    boldCaption(m_groups[0]);
    boldCaption(m_groups[1]);
    connect(m_interview, &QPushButton::clicked, this, &GradeBPage::interviewRequested);
    connect(m_select, &QPushButton::clicked, this, &GradeBPage::selectRequested);
}

void GradeBPage::buildCriteriaGroup()
{
    QGroupBox* group = m_groups[2] =
        makeGroup(QStringLiteral("I. Kryteria oceny i termin sporządzenia oceny na piśmie"), 3);
    m_criteria = new QListWidget(group);
    m_criteria->setObjectName(QStringLiteral("TaviroGradeBListBox2"));
    widgets::applyEntryBackground(m_criteria);
    m_criteriaCaption =
        makeCaption(QStringLiteral("Kryteria wybrane przez bezpośredniego przełożonego"), m_criteria, group);
    m_edits[0] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeBEdit1"), group);
    m_editCaptions[0] = makeCaption(QStringLiteral("Kryterium dodatkowe z poza listy"), m_edits[0], group);
    m_memos[0] = new widgets::TaviroMemo(QStringLiteral("TaviroGradeBMemo1"), group);
    m_month = new widgets::TaviroComboBox(QStringLiteral("TaviroGradeBComboBox1"), group);
    for (int month = 1; month <= 12; ++month)
        m_month->addItem(QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0')));
    m_monthCaption = makeCaption(QStringLiteral("Sporządzenie oceny na piśmie nastąpi w miesiącu"), m_month, group);
    m_edits[1] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeBEdit2"), group);
    m_editCaptions[1] = makeCaption(QStringLiteral("roku"), m_edits[1], group);
    m_edits[2] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeBEdit3"), group);
    m_editCaptions[2] = makeCaption(QStringLiteral("Imię i nazwisko oceniającego"), m_edits[2], group);
    m_edits[3] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeBEdit4"), group);
    m_editCaptions[3] = makeCaption(QStringLiteral("Stanowisko"), m_edits[3], group);
    m_date = new widgets::TaviroDatePicker(QStringLiteral("TaviroGradeBDateTimePicker1"), group);
    m_dateCaption = makeCaption(QStringLiteral("Data rozpoczęcia pracy na obecnym stanowisku"), m_date, group);
}

void GradeBPage::buildApprovalGroup()
{
    QGroupBox* group = m_groups[3] =
        makeGroup(QStringLiteral("II. Zatwierdzenie kryteriów przez kierownika jednostki"), 4);
    m_memos[1] = new widgets::TaviroMemo(QStringLiteral("TaviroGradeBMemo2"), group);
    m_noteCaption = makeCaption(
        QStringLiteral("Uwagi kierownika jednostki do kryteriów wybranych przez bezpośredniego przełożonego:"),
        m_memos[1], group);
    m_noteCaption->setWordWrap(true);
    m_noteCaption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_edits[4] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeBEdit5"), group);
    m_editCaptions[4] = makeCaption(QStringLiteral("Imię i nazwisko"), m_edits[4], group);
    m_acknowledgement =
        makeCaption(QStringLiteral("Zapoznałam/-łem się z kryteriami oceny oraz terminem sporządzenia oceny na piśmie"),
                    nullptr, group);
    m_edits[5] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeBEdit6"), group);
    m_editCaptions[5] = makeCaption(QStringLiteral("Miejscowość"), m_edits[5], group);
}

void GradeBPage::load(const Appraisal& appraisal)
{
    SheetPage::load(appraisal);
    setCriteria(appraisal.criteria);
    m_month->setCurrentIndex(appraisal.writtenMonth);
}

void GradeBPage::store(Appraisal& appraisal) const
{
    SheetPage::store(appraisal);
    appraisal.criteria = criteria();
    appraisal.writtenMonth = m_month->currentIndex();
}

QWidget* GradeBPage::firstField() const
{
    return m_criteria;
}

void GradeBPage::setCriteria(const std::vector<std::string>& names)
{
    m_criteria->clear();
    for (const std::string& name : names)
        m_criteria->addItem(QString::fromStdString(name));
}

std::vector<std::string> GradeBPage::criteria() const
{
    std::vector<std::string> names;
    for (int row = 0; row < m_criteria->count(); ++row)
        names.push_back(m_criteria->item(row)->text().toStdString());
    return names;
}

void GradeBPage::setEvaluatorDate(const QDate& date)
{
    if (date == m_date->date())
        return;
    const QSignalBlocker quiet(m_date);
    m_date->setDate(date);
}

void GradeBPage::layOutGroups(int width, int)
{
    const int groupWidth = width - 2 * kMargin;
    layOutStepGroups(groupWidth);
    m_groups[2]->setGeometry(kMargin, kCriteriaTop, groupWidth, sheetGroupHeight(kCriteriaRows));
    m_groups[3]->setGeometry(kMargin, kApprovalTop, groupWidth, sheetGroupHeight(kApprovalRows));
    layOutCriteriaGroup();
    layOutApprovalGroup();
}

void GradeBPage::layOutStepGroups(int groupWidth)
{
    const int tops[] = {kInterviewTop, kSelectTop};
    QPushButton* buttons[] = {m_interview, m_select};
    for (int i = 0; i < 2; ++i) {
        m_groups[i]->setGeometry(kMargin, tops[i], groupWidth, sheetGroupHeight(1));
        const int left = placeCaption(m_stepCaptions[i], kSheet.inset, sheetRowTop(0));
        buttons[i]->setGeometry(left, sheetRowTop(0) - 2, kButtonWidth, kButtonHeight);
    }
}

void GradeBPage::layOutCriteriaGroup()
{
    // The list at the left, the additional criterion, the term and the evaluator at the right.
    const int split = m_groups[2]->width() * 2 / 5;
    const int end = rowEnd(m_groups[2]);
    placeCaption(m_criteriaCaption, kSheet.inset, sheetRowTop(0));
    m_criteria->setGeometry(kSheet.inset, sheetRowTop(1), split - 2 * kSheet.inset,
                            sheetRowTop(kCriteriaRows - 1) + kSheet.fieldHeight - sheetRowTop(1));
    const int right = split + kSheet.inset;
    int left = placeCaption(m_editCaptions[0], right, sheetRowTop(0));
    place(m_edits[0], left, sheetRowTop(0), end - left);
    m_memos[0]->setGeometry(right, sheetRowTop(1), end - right, kMemoHeight);
    left = placeCaption(m_monthCaption, right, sheetRowTop(3));
    const int monthWidth = std::max(kMonthWidth, m_month->sizeHint().width());
    place(m_month, left, sheetRowTop(3), monthWidth);
    left = placeCaption(m_editCaptions[1], left + monthWidth + kSheet.gap, sheetRowTop(3));
    place(m_edits[1], left, sheetRowTop(3), kYearWidth);
    for (int i = 2; i <= 3; ++i) {
        left = placeCaption(m_editCaptions[i], right, sheetRowTop(i + 2));
        place(m_edits[i], left, sheetRowTop(i + 2), end - left);
    }
    placeCaption(m_dateCaption, right, sheetRowTop(6));
    placeAtRightEnd(m_date, sheetRowTop(6));
}

void GradeBPage::layOutApprovalGroup()
{
    // The head's notes with their caption at the left, the head below them, then the employee's
    // acknowledgement with its place.
    const int end = rowEnd(m_groups[3]);
    const int captionWidth = m_groups[3]->width() / 3;
    m_noteCaption->setGeometry(kSheet.inset, sheetRowTop(0), captionWidth, kMemoHeight);
    const int memoLeft = kSheet.inset + captionWidth + kSheet.gap;
    m_memos[1]->setGeometry(memoLeft, sheetRowTop(0), end - memoLeft, kMemoHeight);
    int left = placeCaption(m_editCaptions[4], kSheet.inset, sheetRowTop(2));
    place(m_edits[4], left, sheetRowTop(2), end - left);
    left = placeCaption(m_acknowledgement, kSheet.inset, sheetRowTop(3));
    left = placeCaption(m_editCaptions[5], left + kSheet.gap, sheetRowTop(3));
    place(m_edits[5], left, sheetRowTop(3), end - left);
}

} // namespace taviro::ui
