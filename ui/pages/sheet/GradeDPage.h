// Section D of the sheet: the appraised period and person, the level of every criterion in the level
// grid, the overall level with the grade it gives, and the place and date of the appraisal.
#pragma once

#include "SheetPage.h"

#include <QButtonGroup>
#include <QRadioButton>

#include <array>

namespace taviro::widgets {
class TaviroComboBox;
}

namespace taviro::ui {

class LevelGrid;

class GradeDPage : public SheetPage
{
    Q_OBJECT
public:
    explicit GradeDPage(QWidget* parent = nullptr);

    void load(const Appraisal& appraisal) override;
    void store(Appraisal& appraisal) const override;
    void setMode(bool viewOnly) override;
    QWidget* firstField() const override;

    // The criterion rows of the level grid; its first row becomes the current one.
    void setRows(const std::vector<CriterionRow>& rows);
    std::vector<CriterionRow> rows() const;
    // The overall level, 1 to 4 (0: none chosen); the grade follows it.
    void setOverallLevel(int level);
    int overallLevel() const;

signals:
    void calculateRequested(); // "Oblicz"

protected:
    void layOutGroups(int width, int height) override;

private:
    void buildPeriodGroup();
    void buildLevelGrid();
    void buildOverallGroup();
    void buildGradeAndPlaceGroups();
    void layOutPeriodGroup(int groupWidth);
    // Lays out the overall levels from the bottom of their group upwards; returns the group's top.
    int layOutOverallGroup(int groupWidth, int bottom);
    void layOutLowerGroups(int groupWidth);
    void showCurrentLevel();
    void chooseLevel(int level);
    void showGrade(int level);

    QGroupBox* m_periodGroup = nullptr;
    QGroupBox* m_overallGroup = nullptr;
    QGroupBox* m_gradeGroup = nullptr;
    QGroupBox* m_placeGroup = nullptr;
    // TaviroGradeDEdit1 (person) and 2 (place).
    std::array<widgets::TaviroLineEdit*, 2> m_edits{};
    // TaviroGradeDDateTimePicker1 (from), 2 (to) and 3 ("Dnia").
    std::array<widgets::TaviroDatePicker*, 3> m_dates{};
    // Captions of the person, "w okresie od", "do", "Miejscowość" and "Dnia".
    std::array<QLabel*, 5> m_captions{};
    LevelGrid* m_grid = nullptr;
    widgets::TaviroComboBox* m_chooser = nullptr;
    QPushButton* m_calculate = nullptr;
    QButtonGroup m_levels;
    // "Bardzo dobrym" … "Niezadowalającym" and their descriptions.
    std::array<QRadioButton*, 4> m_levelButtons{};
    std::array<widgets::TaviroMemo*, 4> m_descriptions{};
    QLabel* m_grade = nullptr;
};

} // namespace taviro::ui
