#pragma once

#include "scrutiny/passes.h"

#include <QString>

// The prize notice of the General tab: which list buttons flash, whether the
// animation runs, and how many draws the last download stored (Label19).
// Set by the scrutiny passes and the download through the Session.
class PrizeAlert
{
public:
    // 0 none, 1 the simple list's button flashes, 2 the multiple one's, 3 both.
    int prizeBlink() const { return m_notice.prizeBlink; }
    bool animationRunning() const { return m_notice.running; }
    // Label19: how many draws the last download stored; empty otherwise.
    QString storedDrawsNotice() const { return m_storedDrawsNotice; }

private:
    friend class Session;

    Scrutiny::PrizeNotice m_notice;
    QString m_storedDrawsNotice;
};
