// Section E of the sheet: by whom and where the employee acknowledged the written appraisal.
#pragma once

#include "SheetPage.h"

#include <array>

namespace taviro::ui {

class GradeEPage : public SheetPage
{
    Q_OBJECT
public:
    explicit GradeEPage(QWidget* parent = nullptr);

    QWidget* firstField() const override;

protected:
    void layOutGroups(int width, int height) override;

private:
    QGroupBox* m_group = nullptr;
    // TaviroGradeEEdit1 ("Panią/Pana") and 2 ("Miejscowość").
    std::array<widgets::TaviroLineEdit*, 2> m_edits{};
    std::array<QLabel*, 2> m_captions{};
};

} // namespace taviro::ui
