// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as players meet them: a slow start, whole games through the controls' object names, what a
// screen reader is given to say, any text in any field, switching and ending with the names, the About
// window, and each window's picture.
#include "shell/shell.h"

#include <QtTest>
#include <QtWidgets>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace quivara;
using namespace Qt::StringLiterals;

namespace {

template <typename T = QWidget> T *get(const QObject *window, QAnyStringView name)
{
    if (T *found = window->findChild<T *>(name.toString()))
        return found;
    qFatal("no control %s", qPrintable(name.toString()));
}

void click(QWidget *window, QAnyStringView button) { QTest::mouseClick(get<QAbstractButton>(window, button), Qt::LeftButton); }
void trigger(QWidget *window, QAnyStringView action) { get<QAction>(window, action)->trigger(); }

// What the controls named in `names` (split at blanks) show, joined by "|", "-" for an empty one.
QString texts(const QWidget *window, QAnyStringView names, const char *property = "text")
{
    QStringList shown;
    for (const QString &name : names.toString().split(u' '))
        shown << get(window, name)->property(property).toString();
    return shown.replaceInStrings(QRegularExpression(u"^$"_s), u"-"_s).join(u'|');
}

// One character per named field, "_" for none.
void type(QWidget *window, QAnyStringView fields, QAnyStringView characters)
{
    const QStringList names = fields.toString().split(u' ');
    for (int p = 0; p < names.size(); ++p)
        get(window, names[p])->setProperty("text", QString(characters.toString()[p]).remove(u'_'));
}

// Fills a row (its button, then its digit fields and mark cells in position order), presses its button
// and returns what its mark cells, then the controls named in `after` show.
QString play(QWidget *window, QAnyStringView row, QAnyStringView four, QAnyStringView after = u"Label61")
{
    const QStringList names = row.toString().split(u' ');
    type(window, names.mid(1, 4).join(u' '), four);
    click(window, names[0]);
    return texts(window, names.mid(5).join(u' ') + u' ' + after.toString());
}

int marksShown(const QWidget *window)
{
    return int(std::ranges::count_if(window->findChildren<QLabel *>(),
                                     [](QLabel *l) { return l->text() == u"o" || l->text() == u"x"; }));
}

// A machine so slow that the splash's tick is due by its show event: the tick is then among the events
// that showing the splash handles.
struct SlowSplash : QObject
{
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (auto *splash = qobject_cast<shell::SplashWindow *>(watched); splash && event->type() == QEvent::Show)
            splash->timer()->start(0);
        return false;
    }
};

const char *const kPlayer1Code = "Text81 Text84 Text83 Text82"; // guessed by Player2
const char *const kOneRow2 = "Command11 Text11 Text12 Text10 Text9 Label8 Label6 Label48 Label7";
const char *const kPlayer1Row1 = "Command1 Text7 Text1 Text3 Text2 Label21 Label5 Label47 Label20";
const char *const kPlayer2Row2 = "Command23 Text74 Text73 Text75 Text76 Label38 Label40 Label39 Label77";

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT

    QTemporaryDir m_names; // no name file is ever saved here

private Q_SLOTS:

    // A slow start: the splash's tick comes while the splash is still being shown, before the event loop runs.
    // The splash is announced first all the same, then the one-player window, and "&Salir" then ends the loop.
    void slowStart()
    {
        shell::Shell shell(m_names.path());
        SlowSplash slowness;
        qApp->installEventFilter(&slowness);
        QStringList shown;
        connect(&shell, &shell::Shell::windowShown, this, [&](QWidget *window) {
            shown << window->objectName();
            if (window == shell.onePlayer())
                trigger(window, "salir");
        });
        shell.start();
        QCOMPARE(shown.join(u' '), u"frmSplash frmunjugador"_s);
        QCOMPARE(QApplication::exec(), 0);
    }

    void onePlayerGame()
    {
        shell::Shell shell(m_names.path());
        QMainWindow *w = shell.showOnePlayer();
        const char *row1 = "Command1 Text7 Text1 Text3 Text2 Label5 Label21 Label20 Label47";
        const char *row10 = "Command3 Text43 Text44 Text42 Text41 Label32 Label34 Label33 Label56";
        type(w, "Label1 Label4 Label3 Label2", "5537"); // a known code, where the game keeps it
        QCOMPARE(play(w, row1, "_5__"), u"-|o|-|-|Jugando..."_s); // position 2 first
        QCOMPARE(play(w, kOneRow2, "_5__"), u"-|x|-|-|Jugando..."_s); // position 1 first
        QCOMPARE(texts(w, "announcer", "accessibleName"), u"Fila 2, x en la cifra 2, sin marca en las cifras 1, 3 y 4"_s);
        QCOMPARE(play(w, row10, "5537"), u"o|x|o|o|Ganaste el juego!!!"_s);
        QCOMPARE(play(w, row1, "1111"), u"-|o|-|-|Jugando..."_s); // no mark falls; row 1 always sets the status

        click(w, "Command15"); // "Juego Nuevo": a new code and its status; the board stays
        const QString drawn = texts(w, "Label1 Label4 Label3 Label2").remove(u'|');
        const bool repeats = QSet<QChar>(drawn.begin(), drawn.end()).size() < 4;
        QCOMPARE(texts(w, "Label61"), repeats ? u"El numero se repite, genere otro"_s : u" Listo, puede empezar a jugar"_s);
        QCOMPARE(texts(w, "Text7") + u" and "_s + QString::number(marksShown(w)), u"1 and 6"_s); // digits and marks
        click(w, "Command17"); // "Mostrar Numero" gives the code up
        QCOMPARE(texts(w, "Label61 Label1 Label4 Label3 Label2"), drawn + u"|-|-|-|-"_s);
        click(w, "Command16"); // "&Borrar Todo"
        QCOMPARE(texts(w, "Label61 Text7 Text1 Text3 Text2") + u'|' + QString::number(marksShown(w)),
                 u"Se cancelo el juego|-|-|-|-|0"_s);
    }

    void twoPlayerMatch()
    {
        shell::Shell shell(m_names.path());
        QMainWindow *w = shell.showTwoPlayer();
        const char *p2row1 = "Command2 Text77 Text78 Text80 Text79 Label37 Label35 Label76 Label36";
        const char *p2row10 = "Command12 Text5 Text4 Text6 Text8 Label75 Label73 Label85 Label74";
        const auto step = [&](const char *row, const char *four) { return play(w, row, four, u"Label61 Label2 Label3"); };
        get<QLineEdit>(w, "Text89")->setText(u"Ana"_s);
        click(w, "Command15"); // "Nuevo Juego"
        type(w, QLatin1StringView(kPlayer1Code) + u" Text85 Text88 Text87 Text86"_s, "40712358");
        QCOMPARE(step(p2row1, "4071"), u"o|o|o|o|Ya pueden empezar a jugar|0|0"_s); // nothing asked yet
        QCOMPARE(step(kPlayer1Row1, "1234"), u"-|x|x|-|Player2 puede ganar el juego|0|0"_s);
        QCOMPARE(step(kPlayer2Row2, "4071"), u"o|o|o|o|Player2 gano el juego|0|1"_s);
        QCOMPARE(step("Command11 Text11 Text12 Text10 Text9 Label6 Label8 Label7 Label48", "2358"),
                 u"o|o|o|o|Player2 puede empatar el juego|0|1"_s);
        QCOMPARE(step(p2row10, "9071"), u"-|o|o|o|Player1 gano el juego|1|1"_s);
        QCOMPARE(step(kPlayer1Row1, "2358"), u"o|o|o|o|Player2 puede empatar el juego|1|1"_s);
        QCOMPARE(step(p2row1, "4071"), u"o|o|o|o|Se empato el partido|1|1"_s);
        QCOMPARE(step(kPlayer1Row1, "9999"), u"o|o|o|o|Player2 puede ganar el juego|1|1"_s);
        QCOMPARE(step(p2row10, "9999"), u"-|o|o|o|-|1|1"_s); // a miss while able to win: no verdict yet
        QCOMPARE(texts(w, "announcer", "accessibleName"),
                 u"Player2, fila 10, o en las cifras 2, 3 y 4, sin marca en la cifra 1. Línea de estado vacía"_s);

        click(w, "Command17"); // "Mostrar Numeros"
        QCOMPARE(texts(w, "Label61") + u'|' + texts(w, "Text84 Text86", "displayText"),
                 u"Se mostraron los números|0|8"_s);
        click(w, "Command15"); // masks them again and keeps the boards
        QCOMPARE(texts(w, "Text84 Text86", "displayText") + QString::number(marksShown(w)), u"?|?19"_s);
        click(w, "Command16"); // "&Borrar Resultados": boards and codes, not names or games
        QCOMPARE(texts(w, "Label61 Text84 Text86 Text8 Text89 Label2") + u'|' + QString::number(marksShown(w)),
                 u"Se cancelo el juego|-|-|-|Ana|1|0"_s);
        click(w, "Command24"); // "Borrar Todo": the design names, no games
        QCOMPARE(texts(w, "Text89 Text90 Label2 Label3"), u"Player1|Player2|0|0"_s);
        QCOMPARE(texts(w, "announcer", "accessibleName"), // what the screen reader is given to say
                 u"Se cancelo el juego. Partidas ganadas de Player1: 0. Partidas ganadas de Player2: 0"_s);
    }

    // What NVDA, JAWS or Narrator are told through UI Automation while the games of tests/games-by-ear.txt are
    // played by keys: each focused control's name and each sentence, whole and once, nothing else. Only the
    // recording stand-in UIAutomationCore.dll writes it down: tst_windows_reader loads it and says so
    // (QUIVARA_READER_STAND_IN), and fails without it; other runs, with Wine's own DLL, skip the case.
#ifdef Q_OS_WIN
    void screenReader()
    {
        if (!qEnvironmentVariableIsSet("QUIVARA_READER_STAND_IN"))
            QSKIP("only the recording UIAutomationCore.dll hears what a screen reader is told (tst_windows_reader)");
        shell::Shell shell(m_names.path());
        QMainWindow *w = shell.showOnePlayer();
        QVERIFY(QTest::qWaitForWindowActive(w));
        SendMessageW(HWND(w->winId()), WM_GETOBJECT, 0, -25); // UiaRootObjectId: a screen reader has started
        const auto take = reinterpret_cast<const wchar_t *(*)()>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleW(L"uiautomationcore.dll"), "takeHeard")));
        QVERIFY2(take, "the recording UIAutomationCore.dll is not loaded");
        const auto heard = [&] { return QString::fromWCharArray(take()); };
        QFile script(u":/games-by-ear.txt"_s);
        QVERIFY(script.open(QIODevice::ReadOnly | QIODevice::Text));
        while (!script.atEnd()) { // each line: a key, then what follows it ("" for silence) and its text
            const QRegularExpressionMatch line =
                QRegularExpression(u"^(\\S+)(?: +(\\S+) +(.*))?$"_s).match(QString::fromUtf8(script.readLine()).trimmed());
            const QString key = line.captured(1), kind = line.captured(2), text = line.captured(3);
            if (key == u"game" && kind == u"two") { // the match in the two-player window, which F2 opens
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
                QVERIFY(QTest::qWaitForWindowActive(shell.twoPlayer()));
                heard();
            }
            if (key.isEmpty() || key == u"game" || key.startsWith(u'#'))
                continue;
            key.size() == 1 ? QTest::keyClicks(QApplication::focusWidget(), key)
                            : QTest::keySequence(QApplication::focusWidget(), QKeySequence(key));
            const bool told = kind == u"says" || kind == u"like" || kind == u"code";
            const QString want = kind.isEmpty() ? QString() : (told ? u"told: "_s : u"focus: "_s)
                + (told && kind != u"says" ? u"(?:"_s + text + u')' : QRegularExpression::escape(text)) + u'\n';
            QString said; // a button's access key clicks it a moment later
            const QRegularExpression wanted(QRegularExpression::anchoredPattern(want));
            QTRY_VERIFY2((said += heard(), wanted.match(said).hasMatch()), qPrintable(u"heard "_s + said + u", not "_s + want));
            qInfo("%s -> %s", qPrintable(key), qPrintable(said.trimmed()));
        }
        QCOMPARE(texts(shell.twoPlayer(), "Text89 Label2"), u"Ana|1"_s); // the keys played the match
    }
#endif

    // Whatever is pasted, a one-character field keeps one whole character; the name fields keep it all.
    void anyTextInEveryField()
    {
        shell::Shell shell(m_names.path());
        QApplication::clipboard()->setText(u"😀ab"_s);
        int oneCharacter = 0, names = 0; // every field is counted, so none can be missed
        for (QLineEdit *field : shell.showOnePlayer()->findChildren<QLineEdit *>() + shell.showTwoPlayer()->findChildren<QLineEdit *>()) {
            field->selectAll();
            field->paste();
            QCOMPARE(field->text(), field->validator() ? u"😀"_s : u"😀ab"_s);
            ++(field->validator() ? oneCharacter : names);
        }
        QCOMPARE(QString::number(oneCharacter) + u'+' + QString::number(names), u"128+2"_s);
    }

    // Switching keeps a window open throughout, keeps the names through their files and brings the games
    // back to "0". "&Salir" saves once: it hides the window, whose closing would save again. The close
    // box saves and, closing the last window, ends the program.
    void switchingAndEnding()
    {
        QTemporaryDir names;
        const auto saved = [&] {
            QFile one(names.filePath(u"player1.txt"_s)), two(names.filePath(u"player2.txt"_s));
            return one.open(QIODevice::ReadOnly) && two.open(QIODevice::ReadOnly) ? one.readAll() + two.readAll() : "";
        };
        shell::Shell shell(names.path());
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        QTimer::singleShot(0, this, [&] {
            trigger(shell.showOnePlayer(), "dosjugadores");
            type(shell.twoPlayer(), "Text89 Text90 Label2 Label3", "AJ40");
            trigger(shell.twoPlayer(), "unjugador");
            QCoreApplication::exit(7);
        });
        QCOMPARE(QApplication::exec(), 7);
        QCOMPARE(lastClosed.size(), 0);
        QCOMPARE(saved(), QByteArray("A\r\nJ\r\n"));
        trigger(shell.onePlayer(), "dosjugadores");
        QPointer<QMainWindow> two = shell.twoPlayer();
        QCOMPARE(texts(two, "Text90 Label2"), u"J|0"_s);
        get<QLineEdit>(two, "Text90")->setText(u"José"_s);
        trigger(two, "salir");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(two && !two->isVisible());
        QCOMPARE(saved(), QByteArray("A\r\nJos\xe9\r\n"));
        two->show();
        get<QLineEdit>(two, "Text89")->setText(u"Eva"_s);
        QTimer::singleShot(0, this, [&] { two->close(); });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(saved(), QByteArray("Eva\r\nJos\xe9\r\n"));
    }

    // One modeless About window; "&Información..." on this system says it cannot, in a message the test
    // closes. "Aceptar" closes the window.
    void about()
    {
        shell::Shell shell(m_names.path());
        QMainWindow *game = shell.showOnePlayer();
        trigger(game, "acercade");
        QPointer<shell::AboutWindow> about = shell.about();
        trigger(game, "acercade");
        QCOMPARE(shell.about(), about.data());
        QVERIFY(about->isVisible() && !about->isModal() && !about->parentWidget());
#ifdef Q_OS_WIN
        // Where System Information is installed (Windows itself, not Wine), the button would start it.
        if (QSettings(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s, QSettings::NativeFormat).contains(u"PATH"_s))
            QSKIP("System Information is installed here");
#endif
        QString said;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            said = box ? box->windowTitle() + u'|' + box->text() : u"no message box"_s;
            if (box)
                box->button(QMessageBox::Ok)->click();
        });
        click(about, "cmdSysInfo");
        QCOMPARE(said, u"Quivara|System Information Is Unavailable At This Time"_s);
        click(about, "cmdOK");
        QVERIFY(!about->isVisible());
    }

    // Each window as a player meets it, pixel for pixel against its picture in tests/looks/ at the screen's ratio
    // (QT_SCALE_FACTOR): layout, fonts, colours, pictures, marks and masks at once. QUIVARA_SAVE_LOOKS=1 draws
    // the pictures anew.
    void looks_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"splash", "one-player", "two-player", "about"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void looks()
    {
#ifdef Q_OS_WIN
        QSKIP("the pictures are drawn by Linux's font engine; Windows draws text with its own");
#endif
        QFETCH(QString, name);
        shell::Shell shell(m_names.path());
        shell::SplashWindow splash;
        splash.timer()->stop();
        QWidget *w = name == u"splash" ? &splash : name == u"about" ? static_cast<QWidget *>(shell.showAbout())
            : name == u"one-player" ? static_cast<QWidget *>(shell.showOnePlayer()) : shell.showTwoPlayer();
        if (name == u"one-player")
            play(w, kOneRow2, "____");
        if (name == u"two-player") {
            type(w, kPlayer1Code, "1234");
            play(w, kPlayer2Row2, "1324");
        }
        w->show();
        QVERIFY(w == &splash ? QTest::qWaitForWindowExposed(w) : QTest::qWaitForWindowActive(w));
        const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(!shot.isNull()); // nothing drawn would equal a missing picture
        const QString file = QDir(QStringLiteral(QUIVARA_LOOKS_DIR)).filePath(
            u"%1-x%2.png"_s.arg(name, qEnvironmentVariable("QT_SCALE_FACTOR", u"1"_s)));
        if (qEnvironmentVariableIsSet("QUIVARA_SAVE_LOOKS"))
            QVERIFY(shot.save(file));
        if (shot != QImage(file).convertToFormat(QImage::Format_RGB32)) {
            shot.save(QFileInfo(file).baseName() + u"-shown.png"_s);
            QFAIL(qPrintable(file + u" differs from what is shown: see the -shown.png beside the test"_s));
        }
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
