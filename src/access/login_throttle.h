#pragma once

// Counts failed logins in a row. From the third failure on, the login button rests for a while
// before the next try: 1 s, then twice as long with each further failure, at most 30 s. A good
// login starts the count again. The window owns the timer; this class only does the arithmetic.
class LoginThrottle
{
public:
    static constexpr int kFreeFailures = 2;    // failures that cost nothing
    static constexpr int kFirstPauseMs = 1000;
    static constexpr int kLongestPauseMs = 30000;

    // Records a failure and returns the pause it earns in milliseconds (0 = none).
    int recordFailure();
    void recordSuccess() { m_failures = 0; }

    int failures() const { return m_failures; }
    // The pause after the given number of failures in a row.
    static int pauseAfter(int failures);

private:
    int m_failures = 0;
};
