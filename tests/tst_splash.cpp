// Start-up: the splash window and its hand-over to the one-player window.
#include "shell/shell.h"
#include "shell/splashwindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace quivara;

namespace {

// Every hidden one-player window among the top-level widgets.
QList<QWidget *> hiddenOnePlayerWindows()
{
    QList<QWidget *> found;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("frmunjugador") && !w->isVisible())
            found.append(w);
    }
    return found;
}

// What a window's controls show: name=text of every field and label, the echo mode of fields.
QStringList controlState(QWidget *window)
{
    QStringList state;
    for (QLineEdit *field : window->findChildren<QLineEdit *>())
        state << field->objectName() + u'=' + field->text() + u'/' + QString::number(field->echoMode());
    for (QLabel *label : window->findChildren<QLabel *>())
        state << label->objectName() + u'=' + label->text() + (label->isVisibleTo(window) ? u'+' : u'-');
    state.sort();
    return state;
}

} // namespace

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

    // While the splash waits, the one-player window is built hidden; the tick
    // shows that very window, in the state a freshly built one has.
    void windowBuiltDuringTheSplashIsShownUntouched()
    {
        shell::Shell shell;
        shell.start();
        QPointer<shell::SplashWindow> splash = shell.splash();
        QTRY_COMPARE(hiddenOnePlayerWindows().size(), 1);
        QVERIFY(splash && splash->isVisible());
        QVERIFY(!shell.onePlayer());
        QPointer<QWidget> prepared = hiddenOnePlayerWindows().first();

        QTRY_VERIFY(shell.onePlayer() && shell.onePlayer()->isVisible());
        QCOMPARE(static_cast<QWidget *>(shell.onePlayer()), prepared.data());
        QVERIFY(!splash);
        rules::RandomSource source;
        one_player::OnePlayerWindow fresh(source, [] { return 0.0; });
        QCOMPARE(controlState(shell.onePlayer()), controlState(&fresh));
        QVERIFY(QTest::qWaitForWindowActive(shell.onePlayer()));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text7"));
    }

    // A tick that comes before the splash was painted opens a window built
    // there and then, and no hidden window is left behind afterwards.
    void tickBeforeThePreparedWindow()
    {
        shell::Shell shell;
        shell.start();
        Q_EMIT shell.splash()->timedOut();
        QVERIFY(shell.onePlayer() && shell.onePlayer()->isVisible());
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(hiddenOnePlayerWindows().isEmpty());
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
