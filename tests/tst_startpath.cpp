// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start path with a measurement hook, on a quick start and on one so slow that the
// splash's tick comes while the splash is still being shown.
#include "shell/app.h"
#include "shell/shell.h"
#include "shell/splashwindow.h"

#include <QApplication>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>

using namespace quivara;

namespace {

// Holds up the splash's show event until its timer is due, as a slow machine would.
class SlowSplash : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *splash = qobject_cast<shell::SplashWindow *>(watched))
                while (splash->timer()->remainingTime() > 0)
                    QThread::usleep(500);
        return false;
    }
};

} // namespace

class TestStartPath : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hookRunsBeforeTheSplashThenOnePlayerFollows_data()
    {
        QTest::addColumn<bool>("slow");
        QTest::newRow("quick start") << false;
        QTest::newRow("tick inside the splash's show") << true;
    }

    void hookRunsBeforeTheSplashThenOnePlayerFollows()
    {
        QFETCH(bool, slow);
        static char name[] = "tst_startpath";
        char *argv[] = {name, nullptr};
        int argc = 1;
        int hookCalls = 0;
        bool windowBeforeHook = true;
        QStringList shown;
        const int result = shell::run(argc, argv, [&](shell::Shell &shell) {
            ++hookCalls;
            windowBeforeHook = shell.splash() || shell.onePlayer() || !QApplication::topLevelWidgets().isEmpty();
            if (slow)
                qApp->installEventFilter(new SlowSplash(&shell));
            QObject::connect(&shell, &shell::Shell::windowShown, &shell, [&shell, &shown](QWidget *window) {
                shown << window->objectName();
                if (window->objectName() == QLatin1String("frmunjugador"))
                    shell.quitNow();
            });
            // A quit that went astray would leave the program running: fail instead of hanging.
            QTimer::singleShot(20000, &shell, [] { QCoreApplication::exit(1); });
        });
        QCOMPARE(result, 0);
        QCOMPARE(hookCalls, 1);
        QVERIFY(!windowBeforeHook);
        QCOMPARE(shown, QStringList({QStringLiteral("frmSplash"), QStringLiteral("frmunjugador")}));
    }
};

QTEST_APPLESS_MAIN(TestStartPath)
#include "tst_startpath.moc"
