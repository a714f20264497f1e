#pragma once

#include "scrutiny/passes.h"

// The prize notice: which result lists have a prize to flag, whether the
// notice is running, and how many draws the last download stored.
// Set by the scrutiny passes and the download through the Session.
class PrizeAlert
{
public:
    // 0 none, 1 the simple list has a prize, 2 the multiple one, 3 both.
    int prizeBlink() const { return m_notice.prizeBlink; }
    bool animationRunning() const { return m_notice.running; }
    // How many draws the last download stored, while the notice stands
    // 0 for none.
    int storedDrawsNotice() const { return m_storedDrawsNotice; }

private:
    friend class Session;

    Scrutiny::PrizeNotice m_notice;
    int m_storedDrawsNotice = 0;
};
