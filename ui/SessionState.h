// What the main window keeps for the whole run of the program.
#pragma once

#include "PageId.h"

#include <string>

namespace taviro::ui {

enum class PageMode
{
    None = 0,
    New = 1,
    Correct = 2, // correct a record, or continue an appraisal
    View = 3,
};

struct SessionState
{
    std::string sessionNumber; // eight digits, drawn at start-up
    std::string user;          // "Administrator" or the account's identifier; empty before login
    std::string password;      // as stored in the file the login matched
    PageId currentPage = PageId::Start;
    PageMode pageMode = PageMode::None;
    bool criteriaChanged = false;
    std::string interviewDocument;
};

} // namespace taviro::ui
