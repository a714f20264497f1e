#pragma once

#include "scrutiny/passes.h"

// The prize notice of the General tab: which list buttons flash, whether the
// animation runs, and how many draws the last download stored (Label19).
// Set by the scrutiny passes and the download through the Session.
class PrizeAlert
{
public:
    // 0 none, 1 the simple list's button flashes, 2 the multiple one's, 3 both.
    int prizeBlink() const { return m_notice.prizeBlink; }
    bool animationRunning() const { return m_notice.running; }
    // How many draws the last download stored, while the notice stands
    // (Label19); 0 for none.
    int storedDrawsNotice() const { return m_storedDrawsNotice; }

private:
    friend class Session;

    Scrutiny::PrizeNotice m_notice;
    int m_storedDrawsNotice = 0;
};
