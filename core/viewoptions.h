#pragma once

#include <algorithm>

// What the result lists show: how many of the newest draws, every
// draw since a peña's creation or only those it played (Histórico),
// only the rows with a prize (Sólo premio). The Session's commands
// change them and refresh.
class ViewOptions
{
public:
    int drawsToShow() const { return m_drawsToShow; }
    bool historico() const { return m_historico; }
    bool soloPremio() const { return m_soloPremio; }

private:
    friend class Session;

    // The draw count within 1 .. maximum; true when it changed.
    bool setDrawsToShow(int draws, int maximum)
    {
        draws = std::clamp(draws, 1, maximum);
        if (draws == m_drawsToShow)
            return false;
        m_drawsToShow = draws;
        return true;
    }

    int m_drawsToShow = 1;
    bool m_historico = false;
    bool m_soloPremio = false;
};
