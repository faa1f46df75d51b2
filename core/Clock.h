// Today's date and the time of day: the one place the program asks for them, so that tests can
// fix both.
#pragma once

#include "TextCodec.h"

namespace taviro {

class Clock
{
public:
    virtual ~Clock() = default;
    virtual Date today() const = 0;
    virtual TimeOfDay now() const = 0;
};

// The computer's local date and time.
class SystemClock : public Clock
{
public:
    Date today() const override;
    TimeOfDay now() const override;
};

} // namespace taviro
