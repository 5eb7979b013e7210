// Switching between the game windows through the shell: fresh windows, names kept, "&Salir" saves once.
#include "shell/shell.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

#include <unistd.h>

using namespace quivara;

namespace {

template <typename T>
T *control(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

QString text(QWidget *window, const char *name)
{
    if (auto *field = window->findChild<QLineEdit *>(QLatin1String(name)))
        return field->text();
    return control<QLabel>(window, name)->text();
}

void setText(QWidget *window, const char *name, const QString &value)
{
    control<QLineEdit>(window, name)->setText(value);
}

void click(QWidget *window, const char *name)
{
    QTest::mouseClick(control<QAbstractButton>(window, name), Qt::LeftButton);
}

void trigger(QMainWindow *window, const char *action)
{
    window->menuBar()->findChild<QAction *>(QLatin1String(action))->trigger();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<missing>");
}

// Player1 wins one game: Player1 hits the code "1111", Player2 misses the empty code.
void player1WinsOnce(QWidget *w)
{
    for (const char *name : {"Text85", "Text88", "Text87", "Text86", "Text7", "Text1", "Text3", "Text2"})
        setText(w, name, QStringLiteral("1"));
    setText(w, "Text77", QStringLiteral("9"));
    click(w, "Command1");
    click(w, "Command2");
}

// Runs the event loop until `steps` end it or the program ends by itself;
// returns the loop's exit code (1 when it had to be stopped after 5 s).
int runLoop(const std::function<void()> &steps)
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(5000);
    QTimer::singleShot(0, qApp, steps);
    return QApplication::exec();
}

// Everything written to standard error while it lives goes to a temporary file.
class StderrCapture
{
public:
    StderrCapture() : m_file(std::tmpfile()), m_saved(dup(STDERR_FILENO))
    {
        std::fflush(stderr);
        dup2(fileno(m_file), STDERR_FILENO);
    }
    ~StderrCapture() { restore(); }

    QByteArray take()
    {
        restore();
        QByteArray all;
        std::rewind(m_file);
        char buffer[512];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, m_file))
            all.append(buffer, static_cast<qsizetype>(n));
        return all;
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        m_saved = -1;
    }

    std::FILE *m_file;
    int m_saved;
};

} // namespace

class TestSwitching : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }
    void cleanup()
    {
        QDir(path("player1.txt")).removeRecursively();
        QFile::remove(path("player1.txt"));
        QFile::remove(path("player2.txt"));
    }

    // There and back again: fresh windows each time, the names kept through
    // the files, the counters back at "0".
    void roundTrip()
    {
        shell::Shell shell(m_dir.path());
        QPointer<one_player::OnePlayerWindow> one = shell.showOnePlayer();
        QVERIFY(QTest::qWaitForWindowActive(one));
        setText(one, "Text7", QStringLiteral("5"));
        click(one, "Command15"); // a code drawn, a game under way

        // F2 in the one-player window.
        QTest::keyClick(one, Qt::Key_F2);
        QPointer<two_player::TwoPlayerWindow> two = shell.twoPlayer();
        QVERIFY(two);
        QVERIFY(two->isVisible());
        QCOMPARE(two->windowTitle(), QStringLiteral("Quivara - 2 jugadores"));
        QTRY_VERIFY(!one);
        QCOMPARE(text(two, "Text89"), QStringLiteral("Player1"));

        setText(two, "Text89", QStringLiteral("Ana"));
        setText(two, "Text90", QStringLiteral("José"));
        player1WinsOnce(two);
        QCOMPARE(text(two, "Label2"), QStringLiteral("1"));

        // F1 in the two-player window: it goes and saves the names.
        QVERIFY(QTest::qWaitForWindowActive(two));
        QTest::keyClick(two, Qt::Key_F1);
        one = shell.onePlayer();
        QVERIFY(one);
        QVERIFY(one->isVisible());
        QTRY_VERIFY(!two);
        QCOMPARE(fileBytes(path("player1.txt")), QByteArray("Ana\r\n"));
        QCOMPARE(fileBytes(path("player2.txt")), QByteArray("Jos\xe9\r\n"));
        // The one-player window comes back empty.
        QCOMPARE(text(one, "Text7"), QString());
        QCOMPARE(text(one, "Label61"), QString());
        for (const char *cell : {"Label1", "Label4", "Label3", "Label2"})
            QCOMPARE(text(one, cell), QString());

        trigger(one, "dosjugadores");
        two = shell.twoPlayer();
        QVERIFY(two);
        QTRY_VERIFY(!one);
        QCOMPARE(text(two, "Text89"), QStringLiteral("Ana"));
        QCOMPARE(text(two, "Text90"), QStringLiteral("José"));
        QCOMPARE(text(two, "Label2"), QStringLiteral("0"));
        QCOMPARE(text(two, "Label3"), QStringLiteral("0"));
        QCOMPARE(text(two, "Text7"), QString());
        QCOMPARE(text(two, "Label61"), QString());
    }

    // "&Salir" writes each file once: the windows go without their closing
    // handler. A directory in player1.txt's place makes every attempt to save
    // it show as one line on standard error.
    void quitSavesOnce()
    {
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("player1.txt")));
        QPointer<two_player::TwoPlayerWindow> two;
        QByteArray errors;
        {
            shell::Shell shell(m_dir.path());
            two = shell.showTwoPlayer();
            setText(two, "Text90", QStringLiteral("Luis"));
            {
                StderrCapture capture;
                trigger(two, "salir");
                errors = capture.take();
            }
            QVERIFY(!two->isVisible());
            QCOMPARE(errors.count("player1.txt"), 1);
            QCOMPARE(errors.count('\n'), 1);
            QCOMPARE(fileBytes(path("player2.txt")), QByteArray("Luis\r\n"));
            // Should anything save again, it would write this file anew.
            QFile::remove(path("player2.txt"));
        }
        QVERIFY(!two);
        QVERIFY(!QFile::exists(path("player2.txt")));
        QDir(path("player1.txt")).removeRecursively();
    }

    // The close box saves the names; with no game window left the program ends.
    void closeBoxSavesAndEnds()
    {
        shell::Shell shell(m_dir.path());
        QPointer<two_player::TwoPlayerWindow> two = shell.showTwoPlayer();
        setText(two, "Text90", QStringLiteral("Luis"));
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        QCOMPARE(runLoop([&] { two->close(); }), 0);
        QCOMPARE(lastClosed.size(), 1);
        QCOMPARE(fileBytes(path("player2.txt")), QByteArray("Luis\r\n"));
        QCOMPARE(fileBytes(path("player1.txt")), QByteArray("Player1\r\n"));
        QTRY_VERIFY(!two);
    }

    // While the windows switch, one of them is always open.
    void aWindowStaysOpenWhileSwitching()
    {
        shell::Shell shell(m_dir.path());
        auto *one = shell.showOnePlayer();
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        const int code = runLoop([&] {
            trigger(one, "dosjugadores");
            trigger(shell.twoPlayer(), "unjugador");
            QCoreApplication::exit(7);
        });
        QCOMPARE(code, 7);
        QCOMPARE(lastClosed.size(), 0);
        QVERIFY(shell.onePlayer() && shell.onePlayer()->isVisible());
    }

private:
    QString path(const char *file) const { return m_dir.filePath(QLatin1String(file)); }

    QTemporaryDir m_dir;
};

QTEST_MAIN(TestSwitching)
#include "tst_switching.moc"
