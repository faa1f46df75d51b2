// The pages of the content area, in the order of the current-page numbers.
#pragma once

#include <ostream>

namespace taviro::ui {

enum class PageId
{
    Start = 0,
    Cell,
    Person,
    GradeA,
    GradeB,
    GradeB1,
    GradeC,
    GradeD,
    GradeE,
    GradeB2,
    GradeC1,
    Admin,
    Deadlines,
    Count
};

// The page's current-page number, as diagnostics show it.
inline std::ostream& operator<<(std::ostream& out, PageId page)
{
    return out << static_cast<int>(page);
}

} // namespace taviro::ui
