#pragma once

#include <QString>

#include <functional>

class PrintSurface;

// The print dialog. The real one asks for a printer and prints there; tests
// record or cancel. A cancelled (or failed) dialog never runs the job.
class PrintDialog
{
public:
    using Job = std::function<void(PrintSurface &)>;

    virtual ~PrintDialog() = default;
    // True when the user chose a printer and the job ran on it.
    virtual bool print(const Job &job) = 0;
    // Why the last print() failed, in Spanish; empty after a success or
    // when the user cancelled.
    virtual QString errorString() const { return {}; }
};
