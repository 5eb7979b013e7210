// SPDX-License-Identifier: GPL-3.0-or-later
// What the platform the tests run on gives the game beyond the name files: the clock.
#include "platform/platform.h"

#include <QTest>
#include <QTime>

class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The clock read for the seeds is the time of day, to the millisecond.
    void timeOfDay()
    {
        const double before = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
        const double now = quivara::platform::current().timeOfDay();
        const double after = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
        QVERIFY2((now > before - 0.002 && now < after + 0.002) || after < before, qPrintable(QString::number(now - before)));
    }
};

QTEST_APPLESS_MAIN(TestPlatform)
#include "tst_platform.moc"
