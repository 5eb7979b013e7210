// The About window through its controls: design, version, single instance, closing, and the System Information message.
#include "shell/aboutwindow.h"
#include "shell/shell.h"
#include "shell/sysinfo.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace quivara::shell;

namespace {

// What a message box showed before the test closed it.
struct Shown
{
    bool seen = false;
    QString title, text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::Information;
    bool modal = false;
};

// Watches for the next modal message box, notes what it shows and presses its OK.
void closeNextMessage(Shown &shown, int triesLeft = 500)
{
    QTimer::singleShot(triesLeft == 500 ? 0 : 10, qApp, [&shown, triesLeft] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            if (triesLeft > 0)
                closeNextMessage(shown, triesLeft - 1);
            return;
        }
        shown = {true, box->windowTitle(), box->text(), box->standardButtons(), box->icon(), box->isModal()};
        box->button(QMessageBox::Ok)->click();
    });
}

template <typename T = QWidget> T *control(QWidget *window, const char *name)
{
    T *w = window->findChild<T *>(QLatin1String(name));
    if (!w)
        qWarning("no control %s", name);
    return w;
}

QList<QWidget *> aboutWindows()
{
    QList<QWidget *> found;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmAbout") && w->isVisible())
            found << w;
    return found;
}

void chooseAbout(QMainWindow *gameWindow)
{
    gameWindow->menuBar()->findChild<QAction *>(QStringLiteral("acercade"))->trigger();
}

} // namespace

class TestAboutWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void designAndLoad();
    void placeAndFrame();
    void geometry_data();
    void geometry();
    void oneWindowWhenChosenTwice();
    void gameWindowStaysUsable();
    void focusAndTabOrder();
    void closing_data();
    void closing();
    void unavailableMessage();
};

void TestAboutWindow::designAndLoad()
{
    AboutWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Acerca de Quivara"));
    QCOMPARE(control<QLabel>(&window, "lblTitle")->text(), QStringLiteral("Quivara"));
    QCOMPARE(control<QLabel>(&window, "lblVersion")->text(), QStringLiteral("Versión 2.0.0"));
    auto *description = control<QLabel>(&window, "lblDescription");
    QVERIFY(!description->text().isEmpty());
    QVERIFY(description->wordWrap());
    auto *ok = control<QPushButton>(&window, "cmdOK");
    QCOMPARE(ok->text(), QStringLiteral("Aceptar"));
    QVERIFY(ok->isDefault());
    QCOMPARE(control<QPushButton>(&window, "cmdSysInfo")->text(), QStringLiteral("&Información..."));
    QVERIFY(!control<QLabel>(&window, "picIcon")->pixmap().isNull());

    const QColor paleYellow(255, 255, 128);
    QCOMPARE(window.palette().color(QPalette::Window), paleYellow);
    auto *title = control<QLabel>(&window, "lblTitle");
    QCOMPARE(title->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(title->font().pointSizeF(), 13.5);
    QCOMPARE(description->palette().color(QPalette::Window), paleYellow);

    // The etched separator: grey index 1 over white index 0.
    const QList<QWidget *> lines = window.findChildren<QWidget *>(QStringLiteral("Line1"));
    QCOMPARE(lines.size(), 2);
    for (QWidget *line : lines) {
        const bool grey = line->property("index").toInt() == 1;
        QCOMPARE(line->palette().color(QPalette::Window), grey ? QColor(128, 128, 128) : QColor(255, 255, 255));
        QCOMPARE(line->height(), grey ? 1 : 2);
    }
}

void TestAboutWindow::placeAndFrame()
{
    AboutWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The client area: 5160 x 3555 twips at (2340, 1935) from the screen's corner.
    const QPoint screenCorner = QGuiApplication::primaryScreen()->geometry().topLeft();
    QCOMPARE(window.geometry(), QRect(screenCorner + QPoint(156, 129), QSize(344, 237)));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(!window.parentWidget());
    QVERIFY(!window.isModal());
    const Qt::WindowFlags flags = window.windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!window.windowIcon().isNull());
}

void TestAboutWindow::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("picIcon: 16 x 16 icon in a two-pixel border") << QStringLiteral("picIcon") << QRect(16, 16, 20, 20);
    QTest::newRow("lblTitle") << QStringLiteral("lblTitle") << QRect(70, 16, 259, 32);
    QTest::newRow("lblVersion") << QStringLiteral("lblVersion") << QRect(70, 52, 259, 15);
    QTest::newRow("lblDescription") << QStringLiteral("lblDescription") << QRect(70, 75, 259, 78);
    QTest::newRow("cmdOK") << QStringLiteral("cmdOK") << QRect(256, 175, 83, 23);
    QTest::newRow("cmdSysInfo") << QStringLiteral("cmdSysInfo") << QRect(256, 205, 83, 23);
}

void TestAboutWindow::geometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    AboutWindow window;
    QCOMPARE(window.findChild<QWidget *>(name)->geometry(), rect);
}

void TestAboutWindow::oneWindowWhenChosenTwice()
{
    Shell shell;
    auto *game = shell.showOnePlayer();
    chooseAbout(game);
    QPointer<AboutWindow> first = shell.about();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    chooseAbout(game);
    QCOMPARE(shell.about(), first.data());
    QCOMPARE(shell.showAbout(), first.data());
    QCOMPARE(aboutWindows().size(), 1);
    QCOMPARE(aboutWindows().first()->windowTitle(), QStringLiteral("Acerca de Quivara"));

    // Once closed, the next choice makes a fresh window.
    first->close();
    QTRY_VERIFY(!first);
    chooseAbout(game);
    QVERIFY(shell.about());
    QCOMPARE(aboutWindows().size(), 1);
}

void TestAboutWindow::gameWindowStaysUsable()
{
    Shell shell;
    auto *game = shell.showOnePlayer();
    AboutWindow *about = shell.showAbout();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(game->isEnabled());
    // The game still takes a row while the About window is open.
    QLineEdit *digit = game->findChild<QLineEdit *>(QStringLiteral("Text7"));
    game->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(game));
    digit->setFocus();
    QTest::keyClick(digit, Qt::Key_5);
    QCOMPARE(digit->text(), QStringLiteral("5"));
    QVERIFY(about->isVisible());
}

void TestAboutWindow::focusAndTabOrder()
{
    AboutWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget(), control(&window, "cmdOK"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control(&window, "picIcon"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control(&window, "cmdSysInfo"));
}

void TestAboutWindow::closing_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key"); // 0: click "Aceptar"
    QTest::newRow("Esc") << QStringLiteral("cmdOK") << int(Qt::Key_Escape);
    QTest::newRow("Esc from Información") << QStringLiteral("cmdSysInfo") << int(Qt::Key_Escape);
    QTest::newRow("Enter") << QStringLiteral("cmdOK") << int(Qt::Key_Return);
    QTest::newRow("Enter on the icon presses the default button") << QStringLiteral("picIcon") << int(Qt::Key_Return);
    QTest::newRow("Aceptar clicked") << QStringLiteral("cmdOK") << 0;
}

void TestAboutWindow::closing()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    Shell shell;
    QPointer<AboutWindow> window = shell.showAbout();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QWidget *target = window->findChild<QWidget *>(focus);
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);
    if (key)
        QTest::keyClick(target, Qt::Key(key));
    else
        QTest::mouseClick(control(window, "cmdOK"), Qt::LeftButton);
    // Closing unloads the window: nothing of it is kept.
    QTRY_VERIFY(!window);
    QVERIFY(!shell.about());
}

void TestAboutWindow::unavailableMessage()
{
    Shell shell;
    QPointer<AboutWindow> window = shell.showAbout();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    for (int press = 0; press < 2; ++press) { // it can be pressed again at any time
        Shown shown;
        closeNextMessage(shown);
        QTest::mouseClick(control(window, "cmdSysInfo"), Qt::LeftButton);
        QVERIFY(shown.seen);
        QCOMPARE(shown.title, QStringLiteral("Quivara"));
        QCOMPARE(shown.text, QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(shown.icon, QMessageBox::NoIcon);
        QVERIFY(shown.modal);
        QVERIFY(window);
        QVERIFY(window->isVisible());
    }
}

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
