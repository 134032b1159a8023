#include "access/login_throttle.h"

#include <QDeadlineTimer>

LoginThrottle::LoginThrottle(Clock clock)
    : m_clock(std::move(clock))
{
}

LoginThrottle &LoginThrottle::shared()
{
    static LoginThrottle throttle;
    return throttle;
}

qint64 LoginThrottle::now() const
{
    return m_clock ? m_clock() : QDeadlineTimer::current().deadline();
}

int LoginThrottle::recordFailure(const QString &loginName)
{
    Record &record = m_records[key(loginName)];
    if (record.failures < 1000000)
        ++record.failures;
    const int pause = pauseAfter(record.failures);
    record.restsUntil = pause > 0 ? now() + pause : 0;
    return pause;
}

void LoginThrottle::recordSuccess(const QString &loginName)
{
    m_records.remove(key(loginName));
}

int LoginThrottle::failures(const QString &loginName) const
{
    return m_records.value(key(loginName)).failures;
}

qint64 LoginThrottle::remainingPause(const QString &loginName) const
{
    const auto found = m_records.constFind(key(loginName));
    if (found == m_records.constEnd())
        return 0;
    const qint64 left = found->restsUntil - now();
    return left > 0 ? left : 0;
}

void LoginThrottle::reset(Clock clock)
{
    m_records.clear();
    m_clock = std::move(clock);
}

int LoginThrottle::pauseAfter(int failures)
{
    if (failures <= kFreeFailures)
        return 0;
    int pause = kFirstPauseMs;
    for (int i = kFreeFailures + 1; i < failures && pause < kLongestPauseMs; ++i)
        pause *= 2;
    return pause < kLongestPauseMs ? pause : kLongestPauseMs;
}
