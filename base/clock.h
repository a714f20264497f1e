#pragma once

#include <QDate>

// Today's date, injected so that nothing reads the system date directly.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

class SystemClock final : public Clock
{
public:
    QDate today() const override;
};

class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDate today)
        : m_today(today)
    {}
    QDate today() const override { return m_today; }
    void setToday(QDate today) { m_today = today; }

private:
    QDate m_today;
};
