#include "access/login_throttle.h"

int LoginThrottle::recordFailure()
{
    if (m_failures < 1000000)
        ++m_failures;
    return pauseAfter(m_failures);
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
