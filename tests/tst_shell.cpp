// The shell's windows: the splash's hand-over, switching and ending the games with their names, and the About window.
#include "shell/shell.h"
#include "shell/sysinfo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quivara;

namespace {

template <typename T = QWidget> T *get(const QObject *window, QAnyStringView name)
{
    T *found = window->findChild<T *>(name.toString());
    if (!found)
        qFatal("no control %s", qPrintable(name.toString()));
    return found;
}

void trigger(QMainWindow *window, QAnyStringView action) { get<QAction>(window->menuBar(), action)->trigger(); }

// A System Information found at the first registry value, started by a fake.
class FakeSystem : public shell::System
{
public:
    explicit FakeSystem(std::string *started) : m_started(started) {}
    shell::RegistryRead readValue(shell::RootKey, const std::string &key, const std::string &,
                                  std::uint32_t size) override
    {
        const std::string path = "C:\\MSINFO32.EXE";
        shell::RegistryRead read{.status = shell::RegistryRead::Status::Read, .type = shell::kRegString,
                                 .bytes = std::vector<unsigned char>(size), .size = std::uint32_t(path.size())};
        std::copy(path.begin(), path.end(), read.bytes.begin());
        return key == shell::kMsinfoKey ? read : shell::RegistryRead{};
    }
    bool fileExists(const std::string &) override { return false; }
    bool startProgram(const std::string &path) override { return *m_started = path, true; }
    void showMessage(const std::string &text) override { *m_started = "message: " + text; }

private:
    std::string *m_started;
};

} // namespace

class TestShell : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray file(const char *name) const
    {
        QFile f(m_dir.filePath(QLatin1String(name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

private Q_SLOTS:
    void cleanup()
    {
        QFile::remove(m_dir.filePath(QStringLiteral("player1.txt")));
        QFile::remove(m_dir.filePath(QStringLiteral("player2.txt")));
    }

    // No caption, no frame, 66 ms, then the one-player window alone.
    void splashHandsOver()
    {
        shell::Shell shell(m_dir.path());
        QStringList shown;
        connect(&shell, &shell::Shell::windowShown, this, [&](QWidget *w) {
            shown << w->objectName();
            if (auto *splash = qobject_cast<shell::SplashWindow *>(w))
                shown << QString::number(splash->timer()->interval()) + splash->windowTitle()
                             + QString::number(splash->windowFlags());
        });
        shell.start();
        QTRY_VERIFY(shell.onePlayer() && shell.onePlayer()->isVisible());
        QTRY_VERIFY(!shell.splash());
        QCOMPARE(shown.join(u' '), QStringLiteral("frmSplash 66%1 frmunjugador")
                                       .arg(int(Qt::SplashScreen | Qt::FramelessWindowHint)));
        int onePlayerWindows = 0;
        for (const QWidget *w : QApplication::topLevelWidgets())
            onePlayerWindows += w->objectName() == u"frmunjugador";
        QCOMPARE(onePlayerWindows, 1);
    }

    // There and back: fresh windows, names kept through their files, games back at "0".
    void switching()
    {
        shell::Shell shell(m_dir.path());
        QPointer<QMainWindow> one = shell.showOnePlayer();
        QVERIFY(QTest::qWaitForWindowActive(one));
        get<QLineEdit>(one, "Text7")->setText(QStringLiteral("5"));
        QTest::keyClick(one, Qt::Key_F2);
        QPointer<QMainWindow> two = shell.twoPlayer();
        QVERIFY(two && two->isVisible());
        QTRY_VERIFY(!one);
        get<QLineEdit>(two, "Text89")->setText(QStringLiteral("Ana"));
        get<QLineEdit>(two, "Text90")->setText(QStringLiteral("José"));
        get<QLabel>(two, "Label2")->setText(QStringLiteral("4"));
        QVERIFY(QTest::qWaitForWindowActive(two));
        QTest::keyClick(two, Qt::Key_F1);
        one = shell.onePlayer();
        QVERIFY(one && one->isVisible());
        QTRY_VERIFY(!two);
        QCOMPARE(file("player1.txt") + file("player2.txt"), QByteArray("Ana\r\nJos\xe9\r\n"));
        QCOMPARE(get<QLineEdit>(one, "Text7")->text(), QString());
        trigger(one, "dosjugadores");
        two = shell.twoPlayer();
        QCOMPARE(get<QLineEdit>(two, "Text90")->text() + get<QLabel>(two, "Label2")->text(), QStringLiteral("José0"));
    }

    // A window stays open while they switch, so the program does not end.
    void switchingKeepsTheProgram()
    {
        shell::Shell shell(m_dir.path());
        QMainWindow *one = shell.showOnePlayer();
        QTimer::singleShot(0, this, [&] {
            trigger(one, "dosjugadores");
            trigger(shell.twoPlayer(), "unjugador");
            QCoreApplication::exit(7);
        });
        QCOMPARE(QApplication::exec(), 7);
        QVERIFY(shell.onePlayer() && shell.onePlayer()->isVisible());
    }

    // "&Salir" saves once: the window is hidden, not closed, so its closing save does not run again.
    // The close box saves; the last window closed ends the program.
    void ending()
    {
        shell::Shell shell(m_dir.path());
        QPointer<QMainWindow> two = shell.showTwoPlayer();
        get<QLineEdit>(two, "Text90")->setText(QStringLiteral("Luis"));
        trigger(two, "salir");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(two && !two->isVisible());
        QCOMPARE(file("player1.txt") + file("player2.txt"), QByteArray("Player1\r\nLuis\r\n"));
        delete two;
        two = shell.showTwoPlayer();
        get<QLineEdit>(two, "Text89")->setText(QStringLiteral("Eva"));
        QTimer::singleShot(0, this, [&] { two->close(); });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(file("player1.txt") + file("player2.txt"), QByteArray("Eva\r\nLuis\r\n"));
    }

    // One modeless About window, at its place; "&Información..." reaches the system.
    void about()
    {
        shell::Shell shell(m_dir.path());
        QMainWindow *game = shell.showOnePlayer();
        trigger(game, "acercade");
        QPointer<shell::AboutWindow> about = shell.about();
        trigger(game, "acercade");
        QCOMPARE(shell.about(), about.data());
        QVERIFY(about->isVisible() && !about->isModal() && !about->parentWidget());
        QCOMPARE(about->windowTitle() + get<QLabel>(about, "lblVersion")->text(),
                 QStringLiteral("Acerca de QuivaraVersión 2.0.0"));
        QCOMPARE(about->geometry().topLeft() - QGuiApplication::primaryScreen()->geometry().topLeft(),
                 QPoint(156, 129));
        QString shown;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->windowTitle() + u'|' + box->text();
            box->button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(get<QAbstractButton>(about, "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(shown, QStringLiteral("Quivara|System Information Is Unavailable At This Time"));
        QVERIFY(about);

        std::string started;
        shell::AboutWindow faked(std::make_unique<FakeSystem>(&started));
        QTest::mouseClick(get<QAbstractButton>(&faked, "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(started, std::string("C:\\MSINFO32.EXE"));
    }

    // "Aceptar", Enter and Esc close it.
    void aboutCloses_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Aceptar") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }

    void aboutCloses()
    {
        QFETCH(int, key);
        shell::Shell shell(m_dir.path());
        QPointer<shell::AboutWindow> about = shell.showAbout();
        QVERIFY(QTest::qWaitForWindowActive(about));
        if (key)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        else
            QTest::mouseClick(get<QAbstractButton>(about, "cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(!about);
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
