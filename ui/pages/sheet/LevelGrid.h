// The level grid of section D: one row per criterion with its number, its name and its level. The row
// carries its level index (0 none, 1 … 4) on the level cell. Arrow keys move between the rows and
// the digits 1 to 4 give the current row its level; Tab leaves the grid.
#pragma once

#include "AppraisalRecord.h"

#include <QStringList>
#include <QTableWidget>

#include <vector>

namespace taviro::ui {

class LevelGrid : public QTableWidget
{
    Q_OBJECT
public:
    // "Wybierz ?" for no level, then the levels 1 to 4.
    static QStringList levelTexts();

    LevelGrid(const QString& objectName, QWidget* parent);

    void setRows(const std::vector<CriterionRow>& rows);
    std::vector<CriterionRow> rows() const;
    int level(int row) const;
    // Shows the level's text in the row (nothing for 0) and keeps its index.
    void setLevel(int row, int level);
    // Whether the digit keys give levels (not while the sheet is only viewed).
    void setLevelKeys(bool enabled) { m_levelKeys = enabled; }

signals:
    // A digit key gave the current row its level.
    void levelKeyed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_levelKeys = true;
};

} // namespace taviro::ui
