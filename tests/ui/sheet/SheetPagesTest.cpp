// The pages of the appraisal sheet as views: what they load and store, what view mode locks, and
// what they do by themselves (the level grid and its chooser, the grade, the dates they copy).
#include "pages/sheet/GradeAPage.h"
#include "pages/sheet/GradeB1Page.h"
#include "pages/sheet/GradeB2Page.h"
#include "pages/sheet/GradeBPage.h"
#include "pages/sheet/GradeC1Page.h"
#include "pages/sheet/GradeCPage.h"
#include "pages/sheet/GradeDPage.h"
#include "pages/sheet/GradeEPage.h"

#include "EntryControls.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "SheetBuilders.h"

#include <gtest/gtest.h>

using namespace taviro;
using taviro::ui::SheetPage;

namespace {

// Every field of the sheet away from its reset value, with a "#" kept as stored, an unassessed
// row, the time to the second and the two evaluator dates apart.
Appraisal filledAppraisal()
{
    Appraisal a = test::fullSheet();
    a.id = "000007";
    a.cell = "Referat #2";
    a.interviewTime = "10:30:15";
    a.evaluatorDate = "16-09-2015";
    a.rows[1].level = 0;
    return a;
}

class SheetPages : public ::testing::Test
{
protected:
    std::vector<SheetPage*> all() { return {&a, &b, &b1, &b2, &c, &c1, &d, &e}; }
    std::vector<SheetPage*> sections() { return {&a, &b, &c, &d, &e}; }

    template <typename T> static T* control(const QWidget& page, const char* name)
    {
        T* found = page.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTableWidget* grid() { return control<QTableWidget>(d, "TaviroGradeDStringGrid1"); }
    QComboBox* chooser() { return control<QComboBox>(d, "TaviroGradeDComboBox1"); }
    QString levelText(int row) { return grid()->item(row, 2)->text(); }
    void loadRows(const std::vector<CriterionRow>& rows)
    {
        Appraisal appraisal;
        appraisal.rows = rows;
        d.load(appraisal);
    }

    ui::GradeAPage a;
    ui::GradeBPage b;
    ui::GradeB1Page b1;
    ui::GradeB2Page b2;
    ui::GradeCPage c;
    ui::GradeC1Page c1;
    ui::GradeDPage d;
    ui::GradeEPage e;
};

} // namespace

TEST_F(SheetPages, TogetherTheyStoreTheAppraisalTheyLoaded)
{
    const Appraisal loaded = filledAppraisal();
    for (SheetPage* page : all())
        page->load(loaded);
    Appraisal stored;
    stored.id = loaded.id;
    stored.document = loaded.document;
    for (const SheetPage* page : all())
        page->store(stored);
    EXPECT_EQ(stored, loaded);
}

TEST_F(SheetPages, ViewModeLocksEveryFieldAndActionButKeepsTheMoves)
{
    using Role = ui::ContentPage::ButtonRole;
    const std::pair<const QWidget*, const char*> actions[] = {
        {&a, "TaviroGradeAPrintButton"}, {&b, "TaviroGradeBEditButton"},    {&b, "TaviroGradeBSelectButton"},
        {&c, "TaviroGradeCEditButton"},  {&c, "TaviroGradeCExampleButton"}, {&d, "TaviroGradeDRunButton"}};
    const std::pair<const QWidget*, const char*> memos[] = {
        {&b, "TaviroGradeBMemo1"}, {&b, "TaviroGradeBMemo2"}, {&c, "TaviroGradeCMemo1"}};
    const auto isChoice = [](const QWidget* widget) {
        return qobject_cast<const QDateTimeEdit*>(widget) || qobject_cast<const QComboBox*>(widget) ||
               qobject_cast<const QRadioButton*>(widget);
    };
    for (const bool view : {true, false}) {
        for (SheetPage* page : sections()) {
            page->setMode(view);
            for (const QLineEdit* edit : page->findChildren<widgets::TaviroLineEdit*>()) {
                EXPECT_EQ(edit->isReadOnly(), view) << edit->objectName().toStdString();
            }
            for (const QWidget* choice : page->findChildren<QWidget*>()) {
                if (isChoice(choice)) {
                    EXPECT_EQ(choice->isEnabled(), !view) << choice->objectName().toStdString();
                }
            }
            EXPECT_EQ(page->button(Role::Save)->isHidden(), view);
            EXPECT_EQ(page->button(Role::Save)->isEnabled(), !view);
            EXPECT_EQ(page->button(Role::Last)->text(), view ? "Zamknij" : "Rezygnuj");
            for (const Role role : {Role::Help, Role::Back, Role::Next}) {
                if (const QPushButton* move = page->button(role)) {
                    EXPECT_TRUE(move->isEnabled());
                }
            }
        }
        for (const auto& [page, name] : memos) {
            EXPECT_EQ(control<QPlainTextEdit>(*page, name)->isReadOnly(), view) << name;
        }
        for (const auto& [page, name] : actions) {
            EXPECT_EQ(control<QPushButton>(*page, name)->isEnabled(), !view) << name;
        }
    }
}

TEST_F(SheetPages, TheChooserGivesTheCurrentRowItsLevelAndWybierzTakesNoneBack)
{
    loadRows({{"Sumienność", 0}, {"Sprawność", 3}});
    EXPECT_EQ(grid()->currentRow(), 0);
    EXPECT_EQ(chooser()->currentIndex(), 0);
    QTest::keyClick(chooser(), Qt::Key_Down);
    EXPECT_EQ(levelText(0), "Niezadowalający");
    QTest::keyClick(chooser(), Qt::Key_End);
    EXPECT_EQ(levelText(0), "Bardzo dobry");
    QTest::keyClick(chooser(), Qt::Key_Home);
    EXPECT_EQ(chooser()->currentText(), "Wybierz ?");
    EXPECT_EQ(levelText(0), "Bardzo dobry");
    EXPECT_EQ(d.rows(), (std::vector<CriterionRow>{{"Sumienność", 4}, {"Sprawność", 3}}));
}

TEST_F(SheetPages, TheLevelGridWorksFromTheKeyboard)
{
    loadRows({{"Sumienność", 0}, {"Sprawność", 3}, {"Bezstronność", 0}});
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_2);
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(chooser()->currentText(), "Dobry") << "the chooser shows the current row's level";
    QTest::keyClick(grid(), Qt::Key_Down);
    QTest::keyClick(grid(), Qt::Key_4, Qt::KeypadModifier);
    EXPECT_EQ(chooser()->currentText(), "Bardzo dobry");
    QTest::keyClick(grid(), Qt::Key_Up);
    QTest::keyClick(grid(), Qt::Key_1);
    EXPECT_EQ(d.rows(), (std::vector<CriterionRow>{{"Sumienność", 2}, {"Sprawność", 1}, {"Bezstronność", 4}}));
    EXPECT_EQ(levelText(1), "Niezadowalający");

    d.setMode(true);
    QTest::keyClick(grid(), Qt::Key_3);
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(levelText(1), "Niezadowalający") << "viewing gives no levels";
    d.setMode(false);

    QTest::keyClick(grid(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), chooser());
}

TEST_F(SheetPages, TheOverallLevelDecidesTheGrade)
{
    const QLabel* grade = control<QLabel>(d, "TaviroGradeDGradeLabel");
    control<QRadioButton>(d, "TaviroGradeDRadioButton4")->click();
    EXPECT_EQ(grade->text(), "Negatywną");
    EXPECT_EQ(d.overallLevel(), 1);
    control<QRadioButton>(d, "TaviroGradeDRadioButton3")->click();
    EXPECT_EQ(grade->text(), "Pozytywną");
    d.setOverallLevel(1);
    EXPECT_EQ(grade->text(), "Negatywną");
    EXPECT_TRUE(control<QRadioButton>(d, "TaviroGradeDRadioButton4")->isChecked());
    d.setOverallLevel(0);
    EXPECT_EQ(d.overallLevel(), 0);
    EXPECT_TRUE(grade->text().isEmpty());
}

TEST_F(SheetPages, TheEndOfThePeriodBecomesTheDateOfTheAppraisal)
{
    auto* periodEnd = control<QDateEdit>(d, "TaviroGradeDDateTimePicker2");
    auto* drawnUp = control<QDateEdit>(d, "TaviroGradeDDateTimePicker3");
    periodEnd->setDate(QDate(2026, 6, 30));
    EXPECT_EQ(drawnUp->date(), QDate(2026, 6, 30));
    drawnUp->setDate(QDate(2026, 7, 3));
    EXPECT_EQ(periodEnd->date(), QDate(2026, 6, 30));
}

TEST_F(SheetPages, OnlyTheUsersChangeOfTheEvaluatorsDateIsReported)
{
    QSignalSpy fromB(&b, &ui::GradeBPage::evaluatorDateChanged);
    QSignalSpy fromC(&c, &ui::GradeCPage::evaluatorDateChanged);
    b.load(filledAppraisal());
    c.load(filledAppraisal());
    b.setEvaluatorDate(QDate(2021, 1, 4));
    c.setEvaluatorDate(QDate(2021, 1, 4));
    EXPECT_EQ(fromB.count() + fromC.count(), 0);
    control<QDateEdit>(c, "TaviroGradeCDateTimePicker1")->setDate(QDate(2022, 2, 1));
    ASSERT_EQ(fromC.count(), 1);
    EXPECT_EQ(fromC.at(0).at(0).toDate(), QDate(2022, 2, 1));
}

TEST_F(SheetPages, EnterWorksTheDefaultButton)
{
    QSignalSpy next(&a, &SheetPage::nextRequested);
    QSignalSpy saved(&e, &SheetPage::saveRequested);
    QSignalSpy returned(&b1, &SheetPage::returnRequested);
    QTest::keyClick(control<QLineEdit>(a, "TaviroGradeAEdit2"), Qt::Key_Return);
    QTest::keyClick(control<QLineEdit>(e, "TaviroGradeEEdit1"), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(b1.groupList(), Qt::Key_Return);
    EXPECT_EQ(next.count(), 1);
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(returned.count(), 1);
    e.setMode(true);
    QTest::keyClick(control<QLineEdit>(e, "TaviroGradeEEdit1"), Qt::Key_Return);
    EXPECT_EQ(saved.count(), 1) << "a viewed sheet is not saved";
}
