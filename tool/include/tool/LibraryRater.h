#pragma once

#include "trajectory/KelTrajectoryLibrary.h"

/// Rates a library's difficulty without holding up its caller; the verdict comes later, by other means.
class LibraryRater
{
public:
    virtual ~LibraryRater() = default;

    /// Whether a rating still runs.
    virtual bool isBusy() const = 0;
    /// Starts rating a copy of the library; does nothing while busy.
    virtual void rate(const KelTrajectoryLibrary& library) = 0;
};
