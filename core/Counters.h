// Identifier counters: six small binary files that hand out numbers unique across every
// workstation sharing the data directory.
#pragma once

#include "SharedFiles.h"

#include <string>
#include <vector>

namespace taviro {

enum class Counter
{
    Cell,     // units, six wide
    Person,   // employees, six wide
    Grade,    // appraisals, six wide
    Document, // interview-notes documents, six wide
    Session,  // one per program run, eight wide
    Unique,   // prefixes of working copies of templates, ten wide
};

// "Cell.cou" and so on.
std::string counterFileName(Counter counter);
int counterWidth(Counter counter);

// The value in decimal with "0" in front up to width characters; longer values stay whole.
std::string identifierText(long long value, int width = 6);

class Counters
{
public:
    explicit Counters(SharedFileAccess& files) : m_files(files) {}

    // Draws the next number: returns its text and leaves the counter one higher. Waits while
    // another workstation draws from the same counter.
    std::string next(Counter counter);
    // Draws count consecutive numbers in one go (one locked open, one write forced to disk), in the
    // order they are to be used.
    std::vector<std::string> next(Counter counter, int count);

private:
    SharedFileAccess& m_files;
};

} // namespace taviro
