#pragma once

#include "core/frontend.h"

class QWidget;

// Message boxes as the desktop shows them.
class MessageBoxPrompter final : public FrontEnd
{
public:
    explicit MessageBoxPrompter(QWidget *parent = nullptr)
        : m_parent(parent)
    {}
    void setParent(QWidget *parent) { m_parent = parent; }

    Answer show(Icon icon, const QString &title, const QString &text, Buttons buttons) override;
    // The ways in as buttons of the box; Cerrar takes none.
    WayIn offerWaysIn(Icon icon, const QString &title, const QString &text, const WaysIn &ways) override;
    // The outcome's boxes, one after the other.
    void tell(const Outcome &outcome) override;

private:
    QWidget *m_parent;
};
