#pragma once

#include <QHash>
#include <QString>

#include <functional>

// Counts failed logins in a row under each typed login name, for the whole run of the program:
// closing the login window and opening it again does not start the count again. From the third
// failure in a row, that name rests for a while before its next try: 1 s, then twice as long
// with each further failure, at most 30 s. A good login under the name starts its count again.
// Names are told apart as the login tells accounts apart, ignoring letter case. The window shows
// the rest and owns its timer; this class keeps the counts and does the arithmetic.
class LoginThrottle
{
public:
    static constexpr int kFreeFailures = 2; // failures that cost nothing
    static constexpr int kFirstPauseMs = 1000;
    static constexpr int kLongestPauseMs = 30000;

    // Milliseconds on a clock that never goes back.
    using Clock = std::function<qint64()>;

    // Without a clock, the system's monotonic clock.
    explicit LoginThrottle(Clock clock = {});

    // The counts every login window of this run shares.
    static LoginThrottle &shared();

    // Records a failure under loginName and returns the pause it earns in milliseconds (0 = none).
    int recordFailure(const QString &loginName);
    void recordSuccess(const QString &loginName);
    int failures(const QString &loginName) const;
    // Milliseconds until loginName may try again; 0 when it may now.
    qint64 remainingPause(const QString &loginName) const;

    // Forgets every count (a new run, as far as the counts go) and uses clock from now on.
    void reset(Clock clock = {});

    // The pause after the given number of failures in a row.
    static int pauseAfter(int failures);

private:
    struct Record
    {
        int failures = 0;
        qint64 restsUntil = 0;
    };
    static QString key(const QString &loginName) { return loginName.toCaseFolded(); }
    qint64 now() const;

    Clock m_clock;
    QHash<QString, Record> m_records;
};
