// The one-player window driven through its controls, found by name as a player would find them.
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

// Digit fields, mark cells and buttons of each row, rows 1 to 10, positions 1 to 4.
const char *const kDigits[10][4] = {
    {"Text7", "Text1", "Text3", "Text2"},     {"Text11", "Text12", "Text10", "Text9"},
    {"Text15", "Text16", "Text14", "Text13"}, {"Text19", "Text20", "Text18", "Text17"},
    {"Text23", "Text24", "Text22", "Text21"}, {"Text27", "Text28", "Text26", "Text25"},
    {"Text31", "Text32", "Text30", "Text29"}, {"Text35", "Text36", "Text34", "Text33"},
    {"Text39", "Text40", "Text38", "Text37"}, {"Text43", "Text44", "Text42", "Text41"}};
const char *const kMarks[10][4] = {
    {"Label5", "Label21", "Label20", "Label47"},  {"Label8", "Label6", "Label48", "Label7"},
    {"Label9", "Label11", "Label10", "Label49"},  {"Label12", "Label14", "Label13", "Label50"},
    {"Label15", "Label17", "Label16", "Label51"}, {"Label18", "Label22", "Label19", "Label52"},
    {"Label23", "Label25", "Label24", "Label53"}, {"Label26", "Label28", "Label27", "Label54"},
    {"Label29", "Label31", "Label30", "Label55"}, {"Label32", "Label34", "Label33", "Label56"}};
const char *const kButtons[10] = {"Command1", "Command11", "Command10", "Command9", "Command8",
                                  "Command7", "Command6",  "Command5",  "Command4", "Command3"};
const char *const kCodeCells[4] = {"Label1", "Label4", "Label3", "Label2"};

} // namespace

class TestOnePlayerWindow : public QObject
{
    Q_OBJECT

    rules::RandomSource m_source{12345};
    std::unique_ptr<one_player::OnePlayerWindow> m_window;

    template <typename T = QWidget>
    T *get(const char *name) const
    {
        T *w = m_window->findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
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
            auto *field = get<QLineEdit>(kDigits[row - 1][p]);
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
    void submit(int row) { QTest::mouseClick(get<QAbstractButton>(kButtons[row - 1]), Qt::LeftButton); }
    // Marks of a row in position order; "-" for an empty cell.
    QString marks(int row) const
    {
        QString s;
        for (const char *name : kMarks[row - 1]) {
            const QString t = get<QLabel>(name)->text();
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
            for (const char *name : kDigits[r - 1])
                QCOMPARE(get<QLineEdit>(name)->text(), QString());
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
        for (int r = 0; r < 10; ++r) {
            for (const char *name : kDigits[r])
                expected << QLatin1String(name);
            expected << QLatin1String(kButtons[r]);
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
        for (int r = 0; r < 10; ++r) {
            const int top = get(kButtons[r])->y();
            QCOMPARE(top, (1200 + 480 * r) / 15);
            for (int p = 0; p < 4; ++p) {
                QCOMPARE(get(kDigits[r][p])->y(), top);
                QCOMPARE(get(kMarks[r][p])->y(), top);
            }
            // From left to right the mark cells stand for positions 2, 1, 4, 3.
            const auto x = [&](int p) { return get(kMarks[r][p - 1])->x(); };
            QVERIFY(x(2) < x(1) && x(1) < x(4) && x(4) < x(3));
            QCOMPARE(x(2), 3720 / 15);
            // Digit fields stand in position order.
            QVERIFY(get(kDigits[r][0])->x() < get(kDigits[r][1])->x());
            QVERIFY(get(kDigits[r][2])->x() < get(kDigits[r][3])->x());
        }
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
