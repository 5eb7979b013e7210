// Whole games played through the windows' controls, found by their object names, and the windows as they look.
#include "one_player/oneplayerwindow.h"
#include "two_player/twoplayerwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QRegularExpression>
#include <QSet>

using namespace quivara;

namespace {

template <typename T = QWidget> T *get(const QWidget *window, QAnyStringView name)
{
    T *found = window->findChild<T *>(name.toString());
    if (!found)
        qFatal("no control %s", qPrintable(name.toString()));
    return found;
}

QString text(const QWidget *window, QAnyStringView name)
{
    const auto *field = window->findChild<QLineEdit *>(name.toString());
    return field ? field->text() : get<QLabel>(window, name)->text();
}

void click(QWidget *window, QAnyStringView name) { QTest::mouseClick(get<QAbstractButton>(window, name), Qt::LeftButton); }

// Types one character per field ("_" leaves a field empty).
void type(QWidget *window, const QStringList &fields, const QString &four)
{
    for (int p = 0; p < 4; ++p) {
        auto *field = get<QLineEdit>(window, fields[p]);
        field->clear();
        if (four[p] != u'_')
            QTest::keyClicks(field, QString(four[p]));
    }
}

// A row's object names: its button, then its digit fields and mark cells in position order.
QStringList row(const char *names) { return QString::fromLatin1(names).split(u' '); }

// Types `four` into the row, presses its button and returns its marks in position order, "-" for none.
QString play(QWidget *window, const QStringList &row, const QString &four)
{
    type(window, row.mid(1, 4), four);
    click(window, row[0]);
    QString marks;
    for (const QString &cell : row.mid(5))
        marks += text(window, cell).isEmpty() ? QStringLiteral("-") : text(window, cell);
    return marks;
}

// How many cells of the whole window show a mark.
int marksShown(const QWidget *window)
{
    int n = 0;
    for (const QLabel *label : window->findChildren<QLabel *>())
        n += label->text() == u"o" || label->text() == u"x";
    return n;
}

const QStringList kCodeCells = row("Label1 Label4 Label3 Label2");
const QStringList kPlayer1Code = row("Text81 Text84 Text83 Text82"); // guessed by Player2
const QStringList kPlayer2Code = row("Text85 Text88 Text87 Text86"); // guessed by Player1

} // namespace

class TestGames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onePlayerGame()
    {
        rules::RandomSource source(12345);
        one_player::OnePlayerWindow w(source, [] { return 1000.5; });
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text7"));
        click(&w, "Command15"); // "Juego Nuevo": four digits, the first not 0, and what the draw says of them
        QString drawn;
        for (const QString &cell : kCodeCells)
            drawn += text(&w, cell);
        QVERIFY2(QRegularExpression(QStringLiteral("^[1-9][0-9]{3}$")).match(drawn).hasMatch(), qPrintable(drawn));
        const bool repeats = QSet<QChar>(drawn.begin(), drawn.end()).size() < 4;
        QCOMPARE(text(&w, "Label61"),
                 QLatin1String(repeats ? "El numero se repite, genere otro" : " Listo, puede empezar a jugar"));
        QVERIFY(get(&w, "Label1")->isHidden());

        for (int p = 0; p < 4; ++p) // a known code, written where the game keeps it
            get<QLabel>(&w, kCodeCells[p])->setText(QString(u"5537"[p]));
        const QStringList row1 = row("Command1 Text7 Text1 Text3 Text2 Label5 Label21 Label20 Label47");
        const QStringList row2 = row("Command11 Text11 Text12 Text10 Text9 Label8 Label6 Label48 Label7");
        const QStringList row3 = row("Command10 Text15 Text16 Text14 Text13 Label9 Label11 Label10 Label49");
        const QStringList row10 = row("Command3 Text43 Text44 Text42 Text41 Label32 Label34 Label33 Label56");
        const auto step = [&](const QStringList &r, const char *four, const char *marks, const char *status) {
            QCOMPARE(play(&w, r, QLatin1String(four)), QLatin1String(marks));
            QCOMPARE(text(&w, "Label61"), QLatin1String(status));
        };
        step(row1, "_5__", "-o--", "Jugando...");          // row 1 looks at position 2 first
        step(row2, "_5__", "-x--", "Jugando...");          // the other rows from position 1 on
        step(row10, "5537", "oxoo", "Ganaste el juego!!!");
        step(row3, "7777", "xxxo", "Ganaste el juego!!!");
        step(row3, "_1__", "xxxo", "Ganaste el juego!!!"); // no mark falls: the old ones stay
        step(row1, "1111", "-o--", "Jugando...");
        QCOMPARE(marksShown(&w), 10);

        click(&w, "Command17"); // "Mostrar Numero" gives the code up
        QCOMPARE(text(&w, "Label61"), QStringLiteral("5537"));
        step(row2, "____", "oxxx", "Ganaste el juego!!!"); // the empty code
        click(&w, "Command16"); // "&Borrar Todo"
        QCOMPARE(text(&w, "Label61"), QStringLiteral("Se cancelo el juego"));
        QCOMPARE(marksShown(&w), 0);
        for (const QLineEdit *field : w.findChildren<QLineEdit *>())
            QCOMPARE(field->text(), QString());
    }

    void twoPlayerMatch()
    {
        QTemporaryDir names;
        two_player::TwoPlayerWindow w(names.path());
        const QStringList p1row1 = row("Command1 Text7 Text1 Text3 Text2 Label21 Label5 Label47 Label20");
        const QStringList p1row2 = row("Command11 Text11 Text12 Text10 Text9 Label6 Label8 Label7 Label48");
        const QStringList p2row1 = row("Command2 Text77 Text78 Text80 Text79 Label37 Label35 Label76 Label36");
        const QStringList p2row2 = row("Command23 Text74 Text73 Text75 Text76 Label38 Label40 Label39 Label77");
        const QStringList p2row10 = row("Command12 Text5 Text4 Text6 Text8 Label75 Label73 Label85 Label74");
        const auto step = [&](const QStringList &r, const char *four, const char *marks, const char *status,
                              const char *games) {
            QCOMPARE(play(&w, r, QLatin1String(four)), QLatin1String(marks));
            QCOMPARE(text(&w, "Label61"), QLatin1String(status));
            QCOMPARE(text(&w, "Label2") + u':' + text(&w, "Label3"), QLatin1String(games));
        };
        get<QLineEdit>(&w, "Text89")->setText(QStringLiteral("Ana"));
        click(&w, "Command15"); // "Nuevo Juego"
        type(&w, kPlayer1Code, QStringLiteral("4071"));
        type(&w, kPlayer2Code, QStringLiteral("2358"));
        QCOMPARE(get<QLineEdit>(&w, "Text84")->displayText(), QStringLiteral("?"));
        step(p2row1, "4071", "oooo", "Ya pueden empezar a jugar", "0:0"); // nothing asked yet
        step(p1row1, "1234", "-xx-", "Player2 puede ganar el juego", "0:0");
        step(p2row2, "4071", "oooo", "Player2 gano el juego", "0:1");
        step(p1row2, "2358", "oooo", "Player2 puede empatar el juego", "0:1");
        step(p2row10, "9071", "-ooo", "Player1 gano el juego", "1:1");
        step(p1row1, "2358", "oooo", "Player2 puede empatar el juego", "1:1");
        step(p2row1, "4071", "oooo", "Se empato el partido", "1:1");
        step(p2row2, "4071", "oooo", "Se empato el partido", "1:1"); // no question pending
        step(p1row1, "9999", "oooo", "Player2 puede ganar el juego", "1:1");
        step(p2row10, "9999", "-ooo", "", "1:1"); // a miss while able to win: no verdict yet
        QCOMPARE(marksShown(&w), 19);

        click(&w, "Command17"); // "Mostrar Numeros"
        QCOMPARE(text(&w, "Label61"), QStringLiteral("Se mostraron los números"));
        QCOMPARE(get<QLineEdit>(&w, "Text84")->displayText() + get<QLineEdit>(&w, "Text86")->displayText(),
                 QStringLiteral("08"));
        click(&w, "Command15");
        QCOMPARE(get<QLineEdit>(&w, "Text84")->displayText() + get<QLineEdit>(&w, "Text86")->displayText(),
                 QStringLiteral("??"));
        click(&w, "Command16"); // "&Borrar Resultados": boards and codes, not names or games
        QCOMPARE(text(&w, "Label61"), QStringLiteral("Se cancelo el juego"));
        QCOMPARE(marksShown(&w), 0);
        QCOMPARE(text(&w, "Text84") + text(&w, "Text86") + text(&w, "Text8"), QString());
        QCOMPARE(text(&w, "Text89") + text(&w, "Label2") + text(&w, "Label3"), QStringLiteral("Ana11"));
        click(&w, "Command24"); // "Borrar Todo": the design names, no games
        QCOMPARE(text(&w, "Text89") + text(&w, "Text90") + text(&w, "Label2") + text(&w, "Label3"),
                 QStringLiteral("Player1Player200"));
    }

    // Whatever is pasted or typed, a one-character field keeps one whole character; every row then plays.
    void anyTextInEveryField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        const QString emoji = QStringLiteral("😀");
        QTest::newRow("two digits") << "56" << "5";
        QTest::newRow("emoji") << emoji << emoji;
        QTest::newRow("emoji and text") << emoji + QStringLiteral("ab") << emoji;
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
        QTemporaryDir names;
        rules::RandomSource source;
        one_player::OnePlayerWindow one(source, [] { return 0.0; });
        two_player::TwoPlayerWindow two(names.path());
        for (QWidget *w : {static_cast<QWidget *>(&one), static_cast<QWidget *>(&two)}) {
            for (QLineEdit *field : w->findChildren<QLineEdit *>()) {
                field->selectAll();
                QApplication::clipboard()->setText(text);
                field->paste();
                QCOMPARE(field->text(), field->validator() ? kept : text);
                if (field->validator()) // typed after it: the field is full
                    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, text, Qt::NoModifier);
                QCOMPARE(field->text(), field->validator() ? kept : text);
            }
            for (QAbstractButton *button : w->findChildren<QAbstractButton *>())
                if (button->text() == u"----->")
                    button->click();
        }
        // One player: no mark against the empty code. Two players: every row equals both codes.
        QCOMPARE(::text(&one, "Label61"), QStringLiteral("Jugando..."));
        QCOMPARE(marksShown(&one), 0);
        QCOMPARE(marksShown(&two), 80);
        QCOMPARE(::text(&two, "Label61") + ::text(&two, "Label2") + ::text(&two, "Label3"),
                 QStringLiteral("Se empato el partido00"));
    }
};

QTEST_MAIN(TestGames)
#include "tst_games.moc"
