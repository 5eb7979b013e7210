// The one-player window driven through its controls, found by name as a player would find them.
#include "one_player/oneplayerform.h"
#include "one_player/oneplayerwindow.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace quivara;

namespace {

// Control names of row r (1 to 10) and position p (1 to 4), as the window's design names them.
QByteArray digitName(int r, int p) { return QByteArray(one_player::kBoard.rows[r - 1].digits[p - 1].data()); }
QByteArray markName(int r, int p) { return QByteArray(one_player::kBoard.rows[r - 1].marks[p - 1].data()); }
QByteArray buttonName(int r) { return QByteArray(one_player::kBoard.rows[r - 1].button.data()); }
const char *const kCodeCells[4] = {"Label1", "Label4", "Label3", "Label2"};

} // namespace

class TestOnePlayerWindow : public QObject
{
    Q_OBJECT

    rules::RandomSource m_source{12345};
    std::unique_ptr<one_player::OnePlayerWindow> m_window;

    template <typename T = QWidget>
    T *get(const QByteArray &name) const
    {
        T *w = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name.constData());
        return w;
    }
    QString status() const { return get<QLabel>("Label61")->text(); }
    QString codeCells() const
    {
        QString s;
        for (const char *name : kCodeCells)
            s += get<QLabel>(name)->text() + u'|';
        return s;
    }

    // Types one character per position ("_" leaves the field empty) by keyboard.
    void typeRow(int row, const QString &four)
    {
        for (int p = 0; p < 4; ++p) {
            auto *field = get<QLineEdit>(digitName(row, p + 1));
            field->clear();
            if (four[p] != u'_')
                QTest::keyClicks(field, QString(four[p]));
        }
    }
    void setCode(const QString &four)
    {
        for (int p = 0; p < 4; ++p)
            get<QLabel>(kCodeCells[p])->setText(four[p] == u'_' ? QString() : QString(four[p]));
    }
    void submit(int row) { QTest::mouseClick(get<QAbstractButton>(buttonName(row)), Qt::LeftButton); }
    // Marks of a row in position order; "-" for an empty cell.
    QString marks(int row) const
    {
        QString s;
        for (int p = 1; p <= 4; ++p) {
            const QString t = get<QLabel>(markName(row, p))->text();
            s += t.isEmpty() ? QStringLiteral("-") : t;
        }
        return s;
    }

private Q_SLOTS:
    void init()
    {
        m_window = std::make_unique<one_player::OnePlayerWindow>(m_source, [] { return 1000.5; });
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void opensEmpty()
    {
        QCOMPARE(m_window->objectName(), QStringLiteral("frmunjugador"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Quivara - 1 jugador"));
        QCOMPARE(status(), QString());
        QCOMPARE(codeCells(), QStringLiteral("||||"));
        for (int r = 1; r <= 10; ++r)
            QCOMPARE(marks(r), QStringLiteral("----"));
        QCOMPARE(QApplication::focusWidget(), get("Text7"));
    }

    void submitRow_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("guess");
        QTest::addColumn<QString>("marks");
        QTest::addColumn<QString>("status");

        const QString before = QStringLiteral("antes");
        QTest::newRow("row 1 own-first at position 2") << "5537" << 1 << "_5__" << "-o--" << "Jugando...";
        QTest::newRow("row 2 ascending at position 2") << "5537" << 2 << "_5__" << "-x--" << before;
        QTest::newRow("row 10 ascending at position 2") << "5537" << 10 << "_5__" << "-x--" << before;
        QTest::newRow("row 1 wins 5537") << "5537" << 1 << "5537" << "oooo" << "Ganaste el juego!!!";
        QTest::newRow("row 6 wins 5537 with an x") << "5537" << 6 << "5537" << "oxoo" << "Ganaste el juego!!!";
        QTest::newRow("row 1 own-first stops at position 2") << "1123" << 1 << "1111" << "ooxx" << "Jugando...";
        QTest::newRow("row 1 1243") << "1234" << 1 << "1243" << "ooxx" << "Jugando...";
        QTest::newRow("row 2 nothing in common") << "1234" << 2 << "5678" << "----" << before;
        QTest::newRow("row 3 not a digit") << "1234" << 3 << "a2b4" << "-o-o" << before;
        QTest::newRow("no code, row 1 empty wins") << "____" << 1 << "____" << "ooxx" << "Ganaste el juego!!!";
        QTest::newRow("no code, row 4 empty wins") << "____" << 4 << "____" << "oxxx" << "Ganaste el juego!!!";
        QTest::newRow("no code, a digit gets no mark") << "____" << 4 << "7___" << "-xxx" << before;
    }

    void submitRow()
    {
        QFETCH(QString, code);
        QFETCH(int, row);
        QFETCH(QString, guess);
        QFETCH(QString, marks);
        QFETCH(QString, status);
        setCode(code);
        get<QLabel>("Label61")->setText(QStringLiteral("antes"));
        typeRow(row, guess);
        submit(row);
        QCOMPARE(this->marks(row), marks);
        QCOMPARE(this->status(), status);
        for (int other = 1; other <= 10; ++other) {
            if (other != row)
                QCOMPARE(this->marks(other), QStringLiteral("----"));
        }
    }

    // A position whose new digit matches nothing keeps the mark of the earlier submission.
    void resubmittedRowKeepsOldMarks()
    {
        setCode(QStringLiteral("1234"));
        typeRow(3, QStringLiteral("1243"));
        submit(3);
        QCOMPARE(marks(3), QStringLiteral("ooxx"));
        typeRow(3, QStringLiteral("9241"));
        submit(3);
        QCOMPARE(marks(3), QStringLiteral("ooxx"));
        typeRow(3, QStringLiteral("2999"));
        submit(3);
        QCOMPARE(marks(3), QStringLiteral("xoxx"));
    }

    void statusAfterWin()
    {
        setCode(QStringLiteral("4071"));
        typeRow(2, QStringLiteral("4071"));
        submit(2);
        QCOMPARE(status(), QStringLiteral("Ganaste el juego!!!"));
        typeRow(5, QStringLiteral("1111"));
        submit(5);
        QCOMPARE(status(), QStringLiteral("Ganaste el juego!!!"));
        typeRow(1, QStringLiteral("1111"));
        submit(1);
        QCOMPARE(status(), QStringLiteral("Jugando..."));
    }

    // A field takes whatever single character is typed or pasted, never more.
    void digitFieldHoldsOneCharacter()
    {
        auto *field = get<QLineEdit>("Text12");
        QTest::keyClicks(field, QStringLiteral("98"));
        QCOMPARE(field->text(), QStringLiteral("9"));
        field->clear();
        field->insert(QStringLiteral("\u00f1x"));
        QCOMPARE(field->text(), QStringLiteral("\u00f1"));
    }

    void newGameDrawsAndKeepsBoard()
    {
        typeRow(2, QStringLiteral("1234"));
        get<QLabel>("Label8")->setText(QStringLiteral("o"));
        QTest::mouseClick(get<QAbstractButton>("Command15"), Qt::LeftButton);
        const QString code = codeCells();
        QCOMPARE(code.size(), 8);
        QVERIFY(code[0] != u'0');
        for (int p = 0; p < 4; ++p)
            QVERIFY(code[2 * p].isDigit());
        QVERIFY(status() == QStringLiteral(" Listo, puede empezar a jugar")
                || status() == QStringLiteral("El numero se repite, genere otro"));
        QCOMPARE(get<QLineEdit>("Text12")->text(), QStringLiteral("2"));
        QCOMPARE(get<QLabel>("Label8")->text(), QStringLiteral("o"));
        QVERIFY(get("Label1")->isHidden());
    }

    void newGameReportsARepeatedDigit()
    {
        // Draw until both messages have been seen: each must match the code it was drawn with.
        bool sawRepeat = false, sawReady = false;
        for (int i = 0; i < 200 && !(sawRepeat && sawReady); ++i) {
            m_window->drawNewCode();
            const QString c = codeCells().remove(u'|');
            const bool repeats = QSet<QChar>(c.begin(), c.end()).size() < 4;
            QCOMPARE(status(), repeats ? QStringLiteral("El numero se repite, genere otro")
                                       : QStringLiteral(" Listo, puede empezar a jugar"));
            (repeats ? sawRepeat : sawReady) = true;
        }
        QVERIFY(sawRepeat && sawReady);
    }

    void clearAll()
    {
        setCode(QStringLiteral("1234"));
        typeRow(1, QStringLiteral("1243"));
        submit(1);
        typeRow(10, QStringLiteral("4321"));
        submit(10);
        QTest::mouseClick(get<QAbstractButton>("Command16"), Qt::LeftButton);
        QCOMPARE(status(), QStringLiteral("Se cancelo el juego"));
        QCOMPARE(codeCells(), QStringLiteral("||||"));
        for (int r = 1; r <= 10; ++r) {
            QCOMPARE(marks(r), QStringLiteral("----"));
            for (int p = 1; p <= 4; ++p)
                QCOMPARE(get<QLineEdit>(digitName(r, p))->text(), QString());
        }
    }

    void revealCodeGivesItUp()
    {
        setCode(QStringLiteral("4071"));
        typeRow(4, QStringLiteral("4071"));
        QTest::mouseClick(get<QAbstractButton>("Command17"), Qt::LeftButton);
        QCOMPARE(status(), QStringLiteral("4071"));
        QCOMPARE(codeCells(), QStringLiteral("||||"));
        QCOMPARE(get<QLineEdit>("Text19")->text(), QStringLiteral("4"));
        QTest::mouseClick(get<QAbstractButton>("Command17"), Qt::LeftButton);
        QCOMPARE(status(), QString());
        // The given-up code is empty: the row no longer wins and its digits get no mark.
        submit(4);
        QCOMPARE(marks(4), QStringLiteral("----"));
        QCOMPARE(status(), QString());
    }

    void tabOrder()
    {
        QStringList expected;
        for (int r = 1; r <= 10; ++r) {
            for (int p = 1; p <= 4; ++p)
                expected << QString::fromLatin1(digitName(r, p));
            expected << QString::fromLatin1(buttonName(r));
        }
        expected << QStringLiteral("Command16") << QStringLiteral("Command17") << QStringLiteral("Command15")
                 << QStringLiteral("Text7");
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text7"));
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        expected.removeFirst();
        expected << QStringLiteral("Text1");
        QCOMPARE(visited, expected);
    }

    void layout()
    {
        QWidget *client = m_window->centralWidget();
        QCOMPARE(client->size(), QSize(362, 418));
        const Qt::WindowFlags flags = m_window->windowFlags();
        QVERIFY(flags.testFlag(Qt::Dialog));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        for (const char *name : kCodeCells)
            QVERIFY(get(name)->isHidden());
        QCOMPARE(get("Label3")->x(), 2640 / 15); // position 3's code cell
        for (int r = 1; r <= 10; ++r) {
            const int top = get(buttonName(r))->y();
            QCOMPARE(top, (1200 + 480 * (r - 1)) / 15);
            for (int p = 1; p <= 4; ++p) {
                QCOMPARE(get(digitName(r, p))->y(), top);
                QCOMPARE(get(markName(r, p))->y(), top);
            }
            // From left to right the mark cells stand for positions 2, 1, 4, 3.
            const auto x = [&](int p) { return get(markName(r, p))->x(); };
            QVERIFY(x(2) < x(1) && x(1) < x(4) && x(4) < x(3));
            QCOMPARE(x(2), 3720 / 15);
            QVERIFY(get(digitName(r, 1))->x() < get(digitName(r, 2))->x());
            QVERIFY(get(digitName(r, 3))->x() < get(digitName(r, 4))->x());
        }
        // A few names read straight off the design, so a slip in the board table shows.
        QCOMPARE(get("Label5")->geometry(), QRect(264, 80, 25, 25));   // row 1, position 1
        QCOMPARE(get("Label47")->geometry(), QRect(280, 80, 25, 25));  // row 1, position 4
        QCOMPARE(get("Text2")->geometry(), QRect(200, 80, 33, 31));    // row 1, position 4
        QCOMPARE(get("Label56")->geometry(), QRect(280, 368, 25, 25)); // row 10, position 4
        QCOMPARE(get("Command3")->geometry(), QRect(32, 368, 41, 25)); // row 10's button
        QCOMPARE(get("Text44")->x(), 120);                             // row 10, position 2
        QCOMPARE(get("Label61")->geometry(), QRect(16, 8, 329, 17));
        auto *line = get("Line1");
        QCOMPARE(line->geometry(), QRect(240, 72, 1, 336));
        QCOMPARE(get("Text1")->height(), 31);
        QCOMPARE(get("Text12")->height(), 32);
    }

    void menu()
    {
        QMenuBar *bar = m_window->menuBar();
        QStringList titles;
        for (QAction *a : bar->actions())
            titles << a->objectName() + u'=' + a->text();
        QCOMPARE(titles, QStringList({QStringLiteral("salir=&Salir"), QStringLiteral("nuevo=&Nuevo"),
                                      QStringLiteral("ayuda=Ayuda")}));
        auto *two = bar->findChild<QAction *>(QStringLiteral("dosjugadores"));
        QCOMPARE(two->text(), QStringLiteral("&Dos Jugadores"));
        QCOMPARE(two->shortcut(), QKeySequence(Qt::Key_F2));

        QSignalSpy quit(m_window.get(), &one_player::OnePlayerWindow::quitRequested);
        QSignalSpy twoPlayers(m_window.get(), &one_player::OnePlayerWindow::twoPlayersRequested);
        QSignalSpy about(m_window.get(), &one_player::OnePlayerWindow::aboutRequested);
        bar->findChild<QAction *>(QStringLiteral("contenido"))->trigger();
        QCOMPARE(quit.count() + twoPlayers.count() + about.count(), 0);
        QTest::keyClick(m_window.get(), Qt::Key_F2);
        QCOMPARE(twoPlayers.count(), 1);
        bar->findChild<QAction *>(QStringLiteral("acercade"))->trigger();
        QCOMPARE(about.count(), 1);
        bar->findChild<QAction *>(QStringLiteral("salir"))->trigger();
        QCOMPARE(quit.count(), 1);
    }
};

QTEST_MAIN(TestOnePlayerWindow)
#include "tst_oneplayerwindow.moc"
