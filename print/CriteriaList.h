// The list of the 34 appraisal criteria that goes with the notification: five pages of rows, each
// row a criterion's name and its description as printed.
#pragma once

#include <QString>

#include <span>

namespace taviro::print {

struct CriteriaListRow
{
    int page = 0;   // 1 to 5
    int top = 0;    // page units
    int height = 0; // page units
    QString name;
    int catalogueNumber = 0; // the criterion of the catalogue the row stands for
    QString description;     // lines joined by CR LF
};

// The 34 rows in print order: the catalogue's descriptions, or the printed wording of their own
// where the list words a description differently.
std::span<const CriteriaListRow> criteriaListRows();

inline constexpr int kCriteriaListPages = 5;

// "Wykaz kryteriów oceny" on pages 1 and 2, "KRYTERIA DO WYBORU" on pages 3 to 5.
QString criteriaListTitle(int page);

} // namespace taviro::print
