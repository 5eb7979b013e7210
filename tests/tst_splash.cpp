// Start-up: the splash window and its hand-over to the one-player window.
#include "shell/shell.h"
#include "shell/splashwindow.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace quivara;

class TestSplash : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void design()
    {
        shell::SplashWindow splash;
        QCOMPARE(splash.objectName(), QStringLiteral("frmSplash"));
        QVERIFY(splash.windowFlags().testFlag(Qt::SplashScreen));
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(splash.size(), QSize(488, 280));
        QCOMPARE(splash.windowTitle(), QString());

        // Loading the window set its timer to 66 ms and started it.
        QCOMPARE(splash.timer()->objectName(), QStringLiteral("Timer1"));
        QCOMPARE(splash.timer()->interval(), 66);
        QVERIFY(splash.timer()->isActive());

        auto *picture = splash.findChild<QLabel *>(QStringLiteral("Picture1"));
        QVERIFY(picture);
        QCOMPARE(picture->geometry(), QRect(0, 0, 489, 281)); // a pixel past the window each way
        QVERIFY(!picture->pixmap().isNull());
        QVERIFY(picture->pixmap().width() >= 485 && picture->pixmap().height() >= 277); // fills the box inside its border
        const QStringList texts{QStringLiteral("lblProductName=Quivara  2.0"), QStringLiteral("Label4=BD"),
                                QStringLiteral("Label3=Brevant Desarrollos")};
        for (const QString &entry : texts) {
            const QStringList parts = entry.split(u'=');
            auto *label = picture->findChild<QLabel *>(parts[0]);
            QVERIFY2(label, qPrintable(parts[0]));
            QCOMPARE(label->text(), parts[1]);
        }
        QCOMPARE(picture->findChild<QLabel *>(QStringLiteral("lblProductName"))->pos(), QPoint(208, 208));
    }

    // The splash makes way for the one-player window; the program runs on in between and ends
    // only when that window, the last one, closes.
    void handsOverToOnePlayerWindow()
    {
        shell::Shell shell;
        QStringList shown;
        connect(&shell, &shell::Shell::windowShown, this, [&](QWidget *w) { shown << w->objectName(); });
        bool closedOnePlayer = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (shell.onePlayer() && shell.onePlayer()->isVisible() && !closedOnePlayer) {
                QVERIFY(!shell.splash() || !shell.splash()->isVisible());
                closedOnePlayer = true;
                shell.onePlayer()->close();
            }
        });
        poll.start(1);
        QTimer::singleShot(10000, this, [] { QCoreApplication::exit(1); });
        shell.start();
        QVERIFY(shell.splash()->isVisible());
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(closedOnePlayer);
        QCOMPARE(shown, QStringList({QStringLiteral("frmSplash"), QStringLiteral("frmunjugador")}));
        QTRY_VERIFY(!shell.onePlayer() && !shell.splash()); // deleted on close
    }

    void splashTakesNoInput()
    {
        shell::Shell shell;
        shell.start();
        QPointer<shell::SplashWindow> splash = shell.splash();
        QTest::keyClick(splash, Qt::Key_Escape);
        QTest::mouseClick(splash, Qt::LeftButton);
        QVERIFY(splash && splash->isVisible());
        QTRY_VERIFY(shell.onePlayer() && shell.onePlayer()->isVisible());
        QVERIFY(!splash);
    }
};

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
