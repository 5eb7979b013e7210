// The program's start path with a measurement hook: the hook sees the shell first, then the windows come in order.
#include "shell/app.h"
#include "shell/shell.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

using namespace quivara;

class TestStartPath : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hookRunsBeforeTheSplashThenOnePlayerFollows()
    {
        static char name[] = "tst_startpath";
        char *argv[] = {name, nullptr};
        int argc = 1;
        int hookCalls = 0;
        bool windowBeforeHook = true;
        QStringList shown;
        const int result = shell::run(argc, argv, [&](shell::Shell &shell) {
            ++hookCalls;
            windowBeforeHook = shell.splash() || shell.onePlayer() || !QApplication::topLevelWidgets().isEmpty();
            QObject::connect(&shell, &shell::Shell::windowShown, &shell, [&shell, &shown](QWidget *window) {
                shown << window->objectName();
                if (window->objectName() == QLatin1String("frmunjugador"))
                    shell.quitNow();
            });
        });
        QCOMPARE(result, 0);
        QCOMPARE(hookCalls, 1);
        QVERIFY(!windowBeforeHook);
        QCOMPARE(shown, QStringList({QStringLiteral("frmSplash"), QStringLiteral("frmunjugador")}));
    }
};

QTEST_APPLESS_MAIN(TestStartPath)
#include "tst_startpath.moc"
