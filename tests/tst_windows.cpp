// The windows as players meet them: whole games through the controls' object names, any text in any
// field, the splash, switching and ending with the names, the About window, and each window's picture.
#include "shell/shell.h"

#include <QtTest>
#include <QtWidgets>

using namespace quivara;

namespace {

template <typename T = QWidget> T *get(const QObject *window, QAnyStringView name)
{
    if (T *found = window->findChild<T *>(name.toString()))
        return found;
    qFatal("no control %s", qPrintable(name.toString()));
}

// What a field or a label shows.
QString text(const QWidget *window, QAnyStringView name) { return get(window, name)->property("text").toString(); }

void click(QWidget *window, QAnyStringView button)
{
    QTest::mouseClick(get<QAbstractButton>(window, button), Qt::LeftButton);
}
void trigger(QWidget *window, QAnyStringView action) { get<QAction>(window, action)->trigger(); }
QStringList row(const char *names) { return QString::fromLatin1(names).split(u' '); }

// What the named fields and labels show, joined by "|".
QString texts(const QWidget *window, const char *names)
{
    QStringList shown;
    for (const QString &name : row(names))
        shown << text(window, name);
    return shown.join(u'|');
}

// One character per field or label, "_" for none.
void type(QWidget *window, const QStringList &fields, const QString &four)
{
    for (int p = 0; p < 4; ++p)
        get(window, fields[p])->setProperty("text", four[p] == u'_' ? QString() : QString(four[p]));
}

// Fills a row (its button, then its digit fields and mark cells in position order), presses its
// button and returns its marks in position order, "-" for none, and the status line.
QString play(QWidget *window, const QStringList &row, const QString &four)
{
    type(window, row.mid(1, 4), four);
    click(window, row[0]);
    QString marks;
    for (const QString &cell : row.mid(5))
        marks += text(window, cell).isEmpty() ? QStringLiteral("-") : text(window, cell);
    return marks + u'|' + text(window, "Label61");
}

int marksShown(const QWidget *window)
{
    const QList<QLabel *> labels = window->findChildren<QLabel *>();
    return int(std::count_if(labels.begin(), labels.end(),
                             [](QLabel *l) { return l->text() == u"o" || l->text() == u"x"; }));
}

const QStringList kPlayer1Code = row("Text81 Text84 Text83 Text82"); // guessed by Player2
const QStringList kOneRow2 = row("Command11 Text11 Text12 Text10 Text9 Label8 Label6 Label48 Label7");
const QStringList kPlayer1Row1 = row("Command1 Text7 Text1 Text3 Text2 Label21 Label5 Label47 Label20");
const QStringList kPlayer2Row2 = row("Command23 Text74 Text73 Text75 Text76 Label38 Label40 Label39 Label77");

// Finds System Information at the first registry value; notes what it is asked to start or to say.
struct FakeSystem : shell::System
{
    explicit FakeSystem(std::string *said) : said(said) {}
    shell::RegistryRead readValue(shell::RootKey, const std::string &, const std::string &, std::uint32_t) override
    {
        const std::string path = "C:\\MSINFO32.EXE";
        return {shell::RegistryRead::Status::Read, shell::kRegString, {path.begin(), path.end()},
                std::uint32_t(path.size())};
    }
    bool fileExists(const std::string &) override { return true; }
    bool startProgram(const std::string &path) override { return *said = path, true; }
    void showMessage(const std::string &text) override { *said = text; }
    std::string *said;
};

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT

    QTemporaryDir m_names;
    QByteArray file(const char *name) const
    {
        QFile f(m_names.filePath(QLatin1String(name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

private Q_SLOTS:
    void initTestCase() { QApplication::setCursorFlashTime(0); } // a caret that never blinks, for the pictures
    void cleanup()
    {
        for (const char *name : {"player1.txt", "player2.txt"})
            QFile::remove(m_names.filePath(QLatin1String(name)));
    }

    void onePlayerGame()
    {
        rules::RandomSource source(3);
        one_player::OnePlayerWindow window(source, [] { return 1000.5; }); // the same draw every run: 8157
        QMainWindow *w = &window;
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text7"));
        const QStringList row1 = row("Command1 Text7 Text1 Text3 Text2 Label5 Label21 Label20 Label47");
        const QStringList row3 = row("Command10 Text15 Text16 Text14 Text13 Label9 Label11 Label10 Label49");
        const QStringList row10 = row("Command3 Text43 Text44 Text42 Text41 Label32 Label34 Label33 Label56");
        type(w, row("Label1 Label4 Label3 Label2"), QStringLiteral("5537")); // a known code, where the game keeps it
        QCOMPARE(play(w, row1, QStringLiteral("_5__")), QStringLiteral("-o--|Jugando...")); // position 2 first
        QCOMPARE(play(w, kOneRow2, QStringLiteral("_5__")), QStringLiteral("-x--|Jugando...")); // position 1 first
        QCOMPARE(play(w, row10, QStringLiteral("5537")), QStringLiteral("oxoo|Ganaste el juego!!!"));
        QCOMPARE(play(w, row3, QStringLiteral("7777")), QStringLiteral("xxxo|Ganaste el juego!!!"));
        QCOMPARE(play(w, row3, QStringLiteral("_1__")), QStringLiteral("xxxo|Ganaste el juego!!!")); // no new mark
        QCOMPARE(play(w, row1, QStringLiteral("1111")), QStringLiteral("-o--|Jugando..."));

        click(w, "Command15"); // "Juego Nuevo": four digits, the first not 0; the board stays
        const QString drawn = texts(w, "Label1 Label4 Label3 Label2").remove(u'|');
        QVERIFY2(QRegularExpression(QStringLiteral("^[1-9][0-9]{3}$")).match(drawn).hasMatch(), qPrintable(drawn));
        const bool repeats = QSet<QChar>(drawn.begin(), drawn.end()).size() < 4;
        QCOMPARE(text(w, "Label61"),
                 QLatin1String(repeats ? "El numero se repite, genere otro" : " Listo, puede empezar a jugar"));
        QCOMPARE(marksShown(w) + text(w, "Text7").toInt(), 11);
        QVERIFY(get(w, "Label1")->isHidden());
        click(w, "Command17"); // "Mostrar Numero" gives the code up
        QCOMPARE(text(w, "Label61"), drawn);
        QCOMPARE(play(w, kOneRow2, QStringLiteral("____")), QStringLiteral("oxxx|Ganaste el juego!!!")); // no code
        click(w, "Command16"); // "&Borrar Todo"
        QCOMPARE(text(w, "Label61") + QString::number(marksShown(w)), QStringLiteral("Se cancelo el juego0"));
        for (const QLineEdit *field : w->findChildren<QLineEdit *>())
            QCOMPARE(field->text(), QString());
    }

    void twoPlayerMatch()
    {
        shell::Shell shell(m_names.path());
        QMainWindow *w = shell.showTwoPlayer();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text7"));
        const QStringList p1row2 = row("Command11 Text11 Text12 Text10 Text9 Label6 Label8 Label7 Label48");
        const QStringList p2row1 = row("Command2 Text77 Text78 Text80 Text79 Label37 Label35 Label76 Label36");
        const QStringList p2row10 = row("Command12 Text5 Text4 Text6 Text8 Label75 Label73 Label85 Label74");
        const auto step = [&](const QStringList &r, const char *four, const char *want) {
            const QString shown = play(w, r, QLatin1String(four));
            QCOMPARE(shown + u'|' + text(w, "Label2") + text(w, "Label3"), QLatin1String(want));
        };
        get<QLineEdit>(w, "Text89")->setText(QStringLiteral("Ana"));
        click(w, "Command15"); // "Nuevo Juego"
        type(w, kPlayer1Code, QStringLiteral("4071"));
        type(w, row("Text85 Text88 Text87 Text86"), QStringLiteral("2358"));
        QCOMPARE(get<QLineEdit>(w, "Text84")->displayText(), QStringLiteral("?"));
        step(p2row1, "4071", "oooo|Ya pueden empezar a jugar|00"); // nothing asked yet
        step(kPlayer1Row1, "1234", "-xx-|Player2 puede ganar el juego|00");
        step(kPlayer2Row2, "4071", "oooo|Player2 gano el juego|01");
        step(p1row2, "2358", "oooo|Player2 puede empatar el juego|01");
        step(p2row10, "9071", "-ooo|Player1 gano el juego|11");
        step(kPlayer1Row1, "2358", "oooo|Player2 puede empatar el juego|11");
        step(p2row1, "4071", "oooo|Se empato el partido|11");
        step(kPlayer2Row2, "4071", "oooo|Se empato el partido|11"); // no question pending
        step(kPlayer1Row1, "9999", "oooo|Player2 puede ganar el juego|11");
        step(p2row10, "9999", "-ooo||11"); // a miss while able to win: no verdict yet

        const auto codes = [&] {
            return get<QLineEdit>(w, "Text84")->displayText() + get<QLineEdit>(w, "Text86")->displayText();
        };
        click(w, "Command17"); // "Mostrar Numeros"
        QCOMPARE(text(w, "Label61") + codes(), QStringLiteral("Se mostraron los números08"));
        click(w, "Command15"); // masks them again and keeps the boards
        QCOMPARE(codes() + QString::number(marksShown(w)), QStringLiteral("??19"));
        click(w, "Command16"); // "&Borrar Resultados": boards and codes, not names or games
        QCOMPARE(text(w, "Label61") + QString::number(marksShown(w)), QStringLiteral("Se cancelo el juego0"));
        QCOMPARE(texts(w, "Text84 Text86 Text8 Text89 Label2"), QStringLiteral("|||Ana|1"));
        click(w, "Command24"); // "Borrar Todo": the design names, no games
        QCOMPARE(texts(w, "Text89 Text90 Label2 Label3"), QStringLiteral("Player1|Player2|0|0"));
    }

    // Whatever is pasted or typed, a one-character field keeps one whole character; every row then plays.
    void anyTextInEveryField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::newRow("emoji and text") << "😀ab" << "😀";
        QTest::newRow("NUL") << QString(QChar(0)) << QString(QChar(0));
        QTest::newRow("right-to-left mark") << "\u200F1" << "\u200F";
        QTest::newRow("lone high surrogate") << QString(QChar(0xD800)) + u'1' << QString(QChar(0xD800));
        QTest::newRow("lone low surrogate") << QString(QChar(0xDFFF)) << QString(QChar(0xDFFF));
        QTest::newRow("long text") << QString(5000, u'8') << "8";
    }

    void anyTextInEveryField()
    {
        QFETCH(QString, text);
        QFETCH(QString, kept);
        shell::Shell shell(m_names.path());
        QMainWindow *one = shell.showOnePlayer(), *two = shell.showTwoPlayer();
        for (QWidget *w : {one, two}) {
            for (QLineEdit *field : w->findChildren<QLineEdit *>()) {
                field->selectAll();
                QApplication::clipboard()->setText(text);
                field->paste();
                QCOMPARE(field->text(), field->validator() ? kept : text);
                if (field->validator()) { // typed before and after it: the field is full
                    field->home(false);
                    QTest::keyClick(field, '9');
                    field->end(false);
                    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, text, Qt::NoModifier);
                    QCOMPARE(field->text(), kept);
                }
            }
            for (QAbstractButton *button : w->findChildren<QAbstractButton *>())
                if (button->text() == u"----->")
                    button->click();
        }
        // One player: no mark against the empty code. Two players: every row equals both codes.
        QCOMPARE(::text(one, "Label61") + QString::number(marksShown(one)), QStringLiteral("Jugando...0"));
        QCOMPARE(texts(two, "Label61 Label2 Label3") + u'|' + QString::number(marksShown(two)),
                 QStringLiteral("Se empato el partido|0|0|80"));
    }

    // No caption, 66 ms, then the one-player window alone.
    void splash()
    {
        shell::Shell shell(m_names.path());
        QStringList shown;
        connect(&shell, &shell::Shell::windowShown, this, [&](QWidget *w) {
            auto *splash = qobject_cast<shell::SplashWindow *>(w);
            shown << (splash ? w->objectName() + splash->windowTitle() + QString::number(splash->timer()->interval())
                             : w->objectName());
        });
        shell.start();
        QTRY_VERIFY(!shell.splash() && shell.onePlayer() && shell.onePlayer()->isVisible());
        QCOMPARE(shown.join(u' '), QStringLiteral("frmSplash66 frmunjugador"));
        const QWidgetList windows = QApplication::topLevelWidgets(); // the one built while the splash waited, no other
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget *w) { return w->objectName() == u"frmunjugador"; }), 1);
    }

    // Switching keeps a window open throughout, keeps the names through their files and brings the games
    // back to "0". "&Salir" saves once: it hides the window, whose closing would save again. The close
    // box saves and, closing the last window, ends the program.
    void switchingAndEnding()
    {
        shell::Shell shell(m_names.path());
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        QPointer<QMainWindow> two;
        QTimer::singleShot(0, this, [&] {
            trigger(shell.showOnePlayer(), "dosjugadores");
            two = shell.twoPlayer();
            get<QLineEdit>(two, "Text89")->setText(QStringLiteral("Ana"));
            get<QLineEdit>(two, "Text90")->setText(QStringLiteral("José"));
            get<QLabel>(two, "Label2")->setText(QStringLiteral("4"));
            trigger(two, "unjugador");
            QCoreApplication::exit(7);
        });
        QCOMPARE(QApplication::exec(), 7);
        QCOMPARE(lastClosed.size(), 0);
        QCOMPARE(file("player1.txt") + file("player2.txt"), QByteArray("Ana\r\nJos\xe9\r\n"));
        trigger(shell.onePlayer(), "dosjugadores");
        two = shell.twoPlayer();
        QCOMPARE(text(two, "Text90") + text(two, "Label2"), QStringLiteral("José0"));
        get<QLineEdit>(two, "Text90")->setText(QStringLiteral("Luis"));
        trigger(two, "salir");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(two && !two->isVisible());
        QCOMPARE(file("player2.txt"), QByteArray("Luis\r\n"));
        delete two;
        two = shell.showTwoPlayer();
        get<QLineEdit>(two, "Text89")->setText(QStringLiteral("Eva"));
        QTimer::singleShot(0, this, [&] { two->close(); });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(file("player1.txt") + file("player2.txt"), QByteArray("Eva\r\nLuis\r\n"));
    }

    // One modeless About window at its place. "&Información..." asks the system: this one, which says so in
    // a message the test closes, or a fake that finds the program. "&Salir" ends all, "Aceptar" closes it.
    void about()
    {
        shell::Shell shell(m_names.path());
        QMainWindow *game = shell.showOnePlayer();
        trigger(game, "acercade");
        QPointer<shell::AboutWindow> about = shell.about();
        trigger(game, "acercade");
        QCOMPARE(shell.about(), about.data());
        QVERIFY(about->isVisible() && !about->isModal() && !about->parentWidget());
        QCOMPARE(about->geometry().topLeft() - about->screen()->geometry().topLeft(), QPoint(156, 129));
        QString said;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            said = box ? box->windowTitle() + u'|' + box->text() : QStringLiteral("no message box");
            if (box)
                box->button(QMessageBox::Ok)->click();
        });
        click(about, "cmdSysInfo");
        QCOMPARE(said, QStringLiteral("Quivara|System Information Is Unavailable At This Time"));
        trigger(game, "salir");
        QVERIFY(!game->isVisible() && !about->isVisible());

        std::string started;
        shell::AboutWindow faked(std::make_unique<FakeSystem>(&started));
        faked.show();
        click(&faked, "cmdSysInfo");
        QCOMPARE(started, std::string("C:\\MSINFO32.EXE"));
        click(&faked, "cmdOK");
        QVERIFY(!faked.isVisible());
    }

    // Each window as a player meets it, pixel for pixel against its picture in tests/looks/ at the screen's ratio
    // (QT_SCALE_FACTOR): layout, fonts, colours, pictures and masks at once; and the frame it asks for.
    // QUIVARA_SAVE_LOOKS=1 draws the pictures anew.
    void looks_data()
    {
        QTest::addColumn<int>("frame");
        QTest::newRow("splash") << int(Qt::SplashScreen | Qt::FramelessWindowHint);
        QTest::newRow("one-player") << int(Qt::Dialog | Qt::WindowCloseButtonHint);
        QTest::newRow("two-player") << int(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
        QTest::newRow("about") << int(Qt::Dialog | Qt::WindowCloseButtonHint);
    }

    void looks()
    {
        QFETCH(int, frame);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        shell::Shell shell(m_names.path());
        shell::SplashWindow splash;
        splash.timer()->stop();
        QWidget *w = name == u"splash" ? &splash : name == u"about" ? static_cast<QWidget *>(shell.showAbout())
            : name == u"one-player" ? static_cast<QWidget *>(shell.showOnePlayer()) : shell.showTwoPlayer();
        if (name == u"one-player")
            play(w, kOneRow2, QStringLiteral("____"));
        if (name == u"two-player") {
            type(w, kPlayer1Code, QStringLiteral("1234"));
            QCOMPARE(play(w, kPlayer2Row2, QStringLiteral("1324")), QStringLiteral("oxxo|")); // shown 2 1 3 4
            play(w, kPlayer1Row1, QStringLiteral("5678"));
        }
        const auto boxes = Qt::FramelessWindowHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
        QCOMPARE(int(w->windowFlags() & (Qt::WindowType_Mask | boxes)), frame);
        w->show();
        QVERIFY(w == &splash ? QTest::qWaitForWindowExposed(w) : QTest::qWaitForWindowActive(w));
        const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString file = QDir(QStringLiteral(QUIVARA_LOOKS_DIR)).filePath(
            QStringLiteral("%1-x%2.png").arg(name, qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"))));
        if (qEnvironmentVariableIsSet("QUIVARA_SAVE_LOOKS"))
            QVERIFY(shot.save(file));
        if (shot != QImage(file).convertToFormat(QImage::Format_RGB32)) {
            shot.save(QFileInfo(file).baseName() + QStringLiteral("-shown.png"));
            QFAIL(qPrintable(file + QStringLiteral(" differs from what is shown: see the -shown.png beside the test")));
        }
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
