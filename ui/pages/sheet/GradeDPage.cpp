#include "GradeDPage.h"

#include "LevelGrid.h"

#include "EntryControls.h"

#include <QSignalBlocker>
#include <QStyle>
#include <QTextDocument>

#include <algorithm>

namespace taviro::ui {
namespace {

constexpr int kPeriodTop = ContentPage::kFirstGroupTop;
constexpr int kPeriodHeight = 2 * kSheet.untitledTop + kSheet.fieldHeight;
constexpr int kGridTop = kPeriodTop + kPeriodHeight + ContentPage::kGroupGap;
// The grade and the place share the last row of groups above the hint box.
constexpr int kLowerTop = ContentPage::kHintTop - ContentPage::kGroupGap - sheetGroupHeight(1);
constexpr int kGridColumnsWidth = 28 + 530 + 100;
constexpr int kDescriptionGap = 3;

struct OverallLevel
{
    int level; // the stored value
    const char* caption;
    const char* description; // its lines as the description box holds them
};

// In the order of the radio buttons TaviroGradeDRadioButton1 … 4. The descriptions are the lines of
// the official form run on as one paragraph, so that they wrap at the width of their boxes.
const OverallLevel kOverallLevels[] = {
    {4, "Bardzo dobrym",
     "Wykonywał wszystkie obowiązki wynikające z opisu stanowiska w sposób często przewyższający oczekiwania. W razie "
     "konieczności podjął się wykonywania zadań dodatkowych i wykonał je zgodnie z ustalonymi standardami. W trakcie "
     "wykonywania "
     "obowiązków stale spełniał wszystkie kryteria oceny wymienione w części B."},
    {3, "Dobrym",
     "Wykonywał wszystkie obowiązki wynikające z opisu stanowiska pracy w sposób odpowiadający oczekiwaniom. W trakcie "
     "wykonywania obowiązków stale spełniał większość kryteriów oceny wymienionych w części B."},
    {2, "Zadowalającym",
     "Większość obowiązków wynikających z opisu stanowiska pracy wykonywał w sposób odpowiadający oczekiwaniom. W "
     "trakcie "
     "wykonywania obowiązków stale spełniał niektóre kryteria oceny wymienione w części B."},
    {1, "Niezadowalającym",
     "Większość obowiązków wynikających z opisu stanowiska pracy wykonywała w sposób nieopdpowiadający oczekiwaniom. "
     "W "
     "trakcie wykonywania obowiązków nie spełniał wcale bądź spełniał rzadko kryteria oceny wymienione w części B."},
};

// The height of a description box of that width that shows all its text.
int descriptionHeight(const QPlainTextEdit* memo, int width)
{
    const int margins = 2 * memo->frameWidth() + 2 * static_cast<int>(memo->document()->documentMargin());
    const QRect text =
        memo->fontMetrics().boundingRect(QRect(0, 0, width - margins, 1000), Qt::TextWordWrap, memo->toPlainText());
    return text.height() + margins;
}

} // namespace

GradeDPage::GradeDPage(QWidget* parent)
    : SheetPage(QStringLiteral("GradeD"), QStringLiteral("Arkusz oceny okresowej pracownika samorządowego - część D"),
                QStringLiteral("TaviroGradeDMemo5"), Buttons::BackAndNext, parent)
{
    buildPeriodGroup();
    buildLevelGrid();
    buildOverallGroup();
    buildGradeAndPlaceGroups();
    bind(m_edits[0], &Appraisal::appraisedPerson);
    bind(m_dates[0], &Appraisal::periodStart);
    bind(m_dates[1], &Appraisal::periodEnd);
    bind(m_edits[1], &Appraisal::placeD);
    bind(m_dates[2], &Appraisal::drawnUpDate);
    addEntries({m_chooser, m_levelButtons[0], m_levelButtons[1], m_levelButtons[2], m_levelButtons[3]});
    addActions({m_calculate});
    // The end of the period is the date of the appraisal unless the user says otherwise.
    connect(m_dates[1], &QDateEdit::dateChanged, m_dates[2], &QDateEdit::setDate);
}

void GradeDPage::buildPeriodGroup()
{
    QGroupBox* group = m_periodGroup = makeGroup(QString(), 1);
    m_edits[0] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeDEdit1"), group);
    m_captions[0] = makeCaption(QStringLiteral("Oceniam wykonywanie obowiązków przez Panią/Pana"), m_edits[0], group);
    m_dates[0] = new widgets::TaviroDatePicker(QStringLiteral("TaviroGradeDDateTimePicker1"), group);
    m_captions[1] = makeCaption(QStringLiteral("w okresie od"), m_dates[0], group);
    m_dates[1] = new widgets::TaviroDatePicker(QStringLiteral("TaviroGradeDDateTimePicker2"), group);
    m_captions[2] = makeCaption(QStringLiteral("do"), m_dates[1], group);
}

void GradeDPage::buildLevelGrid()
{
    m_grid = new LevelGrid(QStringLiteral("TaviroGradeDStringGrid1"), this);
    m_chooser = new widgets::TaviroComboBox(QStringLiteral("TaviroGradeDComboBox1"), this);
    m_chooser->addItems(LevelGrid::levelTexts());
    m_calculate = makeButton(QStringLiteral("RunButton"), QStringLiteral("Oblicz"), this);
    setTabOrder(m_grid, m_chooser);
    setTabOrder(m_chooser, m_calculate);
    connect(m_grid, &QTableWidget::currentCellChanged, this, &GradeDPage::showCurrentLevel);
    connect(m_grid, &LevelGrid::levelKeyed, this, &GradeDPage::showCurrentLevel);
    connect(m_chooser, &QComboBox::activated, this, &GradeDPage::chooseLevel);
    connect(m_calculate, &QPushButton::clicked, this, &GradeDPage::calculateRequested);
}

void GradeDPage::buildOverallGroup()
{
    m_overallGroup = makeGroup(QString(), 2);
    for (std::size_t i = 0; i < m_levelButtons.size(); ++i) {
        const OverallLevel& overall = kOverallLevels[i];
        m_levelButtons[i] = new QRadioButton(QString::fromUtf8(overall.caption), m_overallGroup);
        m_levelButtons[i]->setObjectName(QStringLiteral("TaviroGradeDRadioButton%1").arg(i + 1));
        m_levels.addButton(m_levelButtons[i], overall.level);
        m_descriptions[i] = new widgets::TaviroMemo(QStringLiteral("TaviroGradeDMemo%1").arg(i + 1), m_overallGroup);
        m_descriptions[i]->setPlainText(QString::fromUtf8(overall.description));
        m_descriptions[i]->setReadOnly(true);
        m_descriptions[i]->setFocusPolicy(Qt::NoFocus);
        m_descriptions[i]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    connect(&m_levels, &QButtonGroup::idToggled, this, [this](int level, bool checked) {
        if (checked)
            showGrade(level);
    });
}

void GradeDPage::buildGradeAndPlaceGroups()
{
    m_gradeGroup = makeGroup(QStringLiteral(" i przyznaje okresową ocenę "), 3);
    m_grade = new QLabel(m_gradeGroup);
    m_grade->setObjectName(QStringLiteral("TaviroGradeDGradeLabel"));
    m_grade->setAlignment(Qt::AlignCenter);
    QFont bold;
    bold.setBold(true);
    m_grade->setFont(bold);
    m_placeGroup = makeGroup(QStringLiteral(" Miejscowość "), 4);
    m_edits[1] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeDEdit2"), m_placeGroup);
    m_captions[3] = makeCaption(QStringLiteral("Miejscowość"), m_edits[1], m_placeGroup);
    m_dates[2] = new widgets::TaviroDatePicker(QStringLiteral("TaviroGradeDDateTimePicker3"), m_placeGroup);
    m_captions[4] = makeCaption(QStringLiteral("Dnia"), m_dates[2], m_placeGroup);
}

void GradeDPage::load(const Appraisal& appraisal)
{
    SheetPage::load(appraisal);
    setRows(appraisal.rows);
    setOverallLevel(appraisal.overallLevel);
}

void GradeDPage::store(Appraisal& appraisal) const
{
    SheetPage::store(appraisal);
    appraisal.rows = rows();
    appraisal.overallLevel = overallLevel();
}

void GradeDPage::setMode(bool viewOnly)
{
    SheetPage::setMode(viewOnly);
    m_grid->setLevelKeys(!viewOnly);
}

QWidget* GradeDPage::firstField() const
{
    return m_edits[0];
}

void GradeDPage::setRows(const std::vector<CriterionRow>& rows)
{
    m_grid->setRows(rows);
    if (!rows.empty())
        m_grid->setCurrentCell(0, 0);
    showCurrentLevel();
}

std::vector<CriterionRow> GradeDPage::rows() const
{
    return m_grid->rows();
}

void GradeDPage::setOverallLevel(int level)
{
    if (QAbstractButton* chosen = m_levels.button(level)) {
        chosen->setChecked(true);
        showGrade(level);
        return;
    }
    // No overall level: no button is chosen and no grade shown.
    m_levels.setExclusive(false);
    for (QRadioButton* levelButton : m_levelButtons)
        levelButton->setChecked(false);
    m_levels.setExclusive(true);
    m_grade->clear();
}

int GradeDPage::overallLevel() const
{
    return std::max(m_levels.checkedId(), 0);
}

void GradeDPage::showCurrentLevel()
{
    const QSignalBlocker quiet(m_chooser);
    const int row = m_grid->currentRow();
    m_chooser->setCurrentIndex(row < 0 ? 0 : std::clamp(m_grid->level(row), 0, kHighestLevel));
}

void GradeDPage::chooseLevel(int level)
{
    // "Wybierz ?" takes no level back.
    if (level > 0 && m_grid->currentRow() >= 0)
        m_grid->setLevel(m_grid->currentRow(), level);
}

void GradeDPage::showGrade(int level)
{
    m_grade->setText(level == 1 ? QStringLiteral("Negatywną") : QStringLiteral("Pozytywną"));
}

void GradeDPage::layOutGroups(int width, int)
{
    const int groupWidth = width - 2 * kMargin;
    layOutPeriodGroup(groupWidth);
    layOutLowerGroups(groupWidth);
    const int overallTop = layOutOverallGroup(groupWidth, kLowerTop - kGroupGap);

    // The grid as wide as its columns and a scroll bar; the chooser and "Oblicz" at its right.
    // The chooser gets what its longest level needs, from the scroll bar's room if need be, but
    // never from the columns.
    const int columnsWidth = kGridColumnsWidth + 2 * m_grid->frameWidth();
    const int scrollBar = m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int spare = groupWidth - columnsWidth - kSheet.gap;
    const int chooserWidth = std::max(spare - scrollBar, std::min(spare, m_chooser->sizeHint().width()));
    const int gridWidth = groupWidth - kSheet.gap - chooserWidth;
    m_grid->setGeometry(kMargin, kGridTop, gridWidth, overallTop - kGroupGap - kGridTop);
    const int chooserLeft = kMargin + gridWidth + kSheet.gap;
    m_chooser->setGeometry(chooserLeft, kGridTop, chooserWidth, kSheet.fieldHeight);
    m_calculate->setGeometry(width - kMargin - kButtonWidth, kGridTop + kSheet.rowPitch + 4, kButtonWidth,
                             kButtonHeight);
}

void GradeDPage::layOutPeriodGroup(int groupWidth)
{
    // "Oceniam wykonywanie obowiązków przez Panią/Pana [person] w okresie od [date] do [date]"
    m_periodGroup->setGeometry(kMargin, kPeriodTop, groupWidth, kPeriodHeight);
    const int top = kSheet.untitledTop;
    const int personLeft = placeCaption(m_captions[0], kSheet.inset, top);
    const int dateWidth = pickerWidth(m_dates[0]);
    place(m_dates[1], rowEnd(m_periodGroup) - dateWidth, top, dateWidth);
    const int toLeft = m_dates[1]->x() - kSheet.gap - m_captions[2]->sizeHint().width();
    placeCaption(m_captions[2], toLeft, top);
    place(m_dates[0], toLeft - kSheet.gap - dateWidth, top, dateWidth);
    const int fromLeft = m_dates[0]->x() - kSheet.gap - m_captions[1]->sizeHint().width();
    placeCaption(m_captions[1], fromLeft, top);
    place(m_edits[0], personLeft, top, fromLeft - kSheet.gap - personLeft);
}

int GradeDPage::layOutOverallGroup(int groupWidth, int bottom)
{
    int captionWidth = 0;
    for (const QRadioButton* levelButton : m_levelButtons)
        captionWidth = std::max(captionWidth, levelButton->sizeHint().width());
    const int memoLeft = kSheet.inset + captionWidth + kSheet.gap;
    const int memoWidth = groupWidth - kSheet.inset - memoLeft;
    std::array<int, 4> heights{};
    int height = 2 * kSheet.untitledTop - kDescriptionGap;
    for (std::size_t i = 0; i < heights.size(); ++i) {
        heights[i] = descriptionHeight(m_descriptions[i], memoWidth);
        height += heights[i] + kDescriptionGap;
    }
    const int top = bottom - height;
    m_overallGroup->setGeometry(kMargin, top, groupWidth, height);
    int rowTop = kSheet.untitledTop;
    for (std::size_t i = 0; i < m_levelButtons.size(); ++i) {
        m_levelButtons[i]->setGeometry(kSheet.inset, rowTop, captionWidth, kSheet.fieldHeight);
        m_descriptions[i]->setGeometry(memoLeft, rowTop, memoWidth, heights[i]);
        rowTop += heights[i] + kDescriptionGap;
    }
    return top;
}

void GradeDPage::layOutLowerGroups(int groupWidth)
{
    // The grade at the left, the place and its date at the right.
    const int half = (groupWidth - kGroupGap) / 2;
    m_gradeGroup->setGeometry(kMargin, kLowerTop, half, sheetGroupHeight(1));
    m_grade->setGeometry(kSheet.inset, sheetRowTop(0), half - 2 * kSheet.inset, kSheet.fieldHeight);
    m_placeGroup->setGeometry(kMargin + half + kGroupGap, kLowerTop, groupWidth - half - kGroupGap,
                              sheetGroupHeight(1));
    const int top = sheetRowTop(0);
    const int left = placeCaption(m_captions[3], kSheet.inset, top);
    placeAtRightEnd(m_dates[2], top);
    const int dateCaptionLeft = m_dates[2]->x() - kSheet.gap - m_captions[4]->sizeHint().width();
    placeCaption(m_captions[4], dateCaptionLeft, top);
    place(m_edits[1], left, top, dateCaptionLeft - kSheet.gap - left);
}

} // namespace taviro::ui
