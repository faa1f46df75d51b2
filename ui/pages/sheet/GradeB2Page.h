// The interview before the criteria are chosen: explanations, the appraisal's own interview notes
// and a sample questionnaire.
#pragma once

#include "SheetPage.h"

#include <array>

namespace taviro::ui {

class GradeB2Page : public SheetPage
{
    Q_OBJECT
public:
    explicit GradeB2Page(QWidget* parent = nullptr);

    // The explanations box TaviroGradeB2Memo1, filled by the controller.
    QTextEdit* explanationText() const { return m_explanation; }
    QWidget* firstField() const override;

signals:
    void openRequested(); // "Otwórz": the interview notes
    void viewRequested(); // "Zobacz": the sample questionnaire

protected:
    void layOutGroups(int width, int height) override;

private:
    QTextEdit* m_explanation = nullptr;
    QGroupBox* m_documentGroup = nullptr;
    std::array<QLabel*, 2> m_captions{};
    std::array<QPushButton*, 2> m_buttons{};
};

} // namespace taviro::ui
