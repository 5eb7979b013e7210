// The two-player match: own-first marking at every position, the match step, the games-won counter.
#include "forms/texts.h"
#include "rowtexts.h"
#include "rules/match.h"

#include <QTest>

using namespace quivara;
using rules::Winner;

Q_DECLARE_METATYPE(rules::Winner)

namespace {

using testing::Row;
using testing::marksOf;

const QString kUnchanged = QStringLiteral("<unchanged>");

} // namespace

class TestMatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Both players' rows are marked own-first at every position.
    void ownFirstMarking_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("guess");
        QTest::addColumn<QString>("marks");
        QTest::addColumn<bool>("equals");

        QTest::newRow("1123 vs 1111") << "1123" << "1111" << "ooxx" << false;
        QTest::newRow("1234 vs 1111") << "1234" << "1111" << "oxxx" << false;
        QTest::newRow("1213 vs 5515: own digit at 3") << "1213" << "5515" << "--o-" << false;
        QTest::newRow("own digit at 2 after an equal 1") << "5537" << "0500" << "-o--" << false;
        QTest::newRow("own digit at 4 after equal 1..3") << "7777" << "0007" << "---o" << false;
        QTest::newRow("5537 wins with four o") << "5537" << "5537" << "oooo" << true;
        QTest::newRow("2222 against 2222") << "2222" << "2222" << "oooo" << true;
        QTest::newRow("all elsewhere") << "1234" << "4321" << "xxxx" << false;
        QTest::newRow("elsewhere at a later position") << "1234" << "4000" << "x---" << false;
        QTest::newRow("empty field, full code") << "1234" << "12_4" << "oo-o" << false;
        QTest::newRow("empty field and empty code field") << "12_4" << "12_4" << "oooo" << true;
        QTest::newRow("empty field, other code field empty") << "1_34" << "_234" << "x-oo" << false;
        QTest::newRow("empty code, empty row") << "____" << "____" << "oooo" << true;
        QTest::newRow("empty code, digits") << "____" << "1234" << "----" << false;
        QTest::newRow("not a digit") << "1234" << "a2?4" << "-o-o" << false;
        QTest::newRow("question mark is a character like any") << "?234" << "?234" << "oooo" << true;
        QTest::newRow("three of four") << "1234" << "1239" << "ooo-" << false;
        QTest::newRow("differs at position 1 only") << "1234" << "5234" << "-ooo" << false;
    }

    void ownFirstMarking()
    {
        QFETCH(QString, code);
        QFETCH(QString, guess);
        QFETCH(QString, marks);
        QFETCH(bool, equals);
        const Row c(code), g(guess);
        QCOMPARE(marksOf(rules::markRow(g.view(), c.view(), rules::kOwnFirst)), marks);
        QCOMPARE(rules::guessesCode(g.view(), c.view()), equals);
    }

    // Every code over three digits and the empty text, every guessed text at
    // every position: "o" when the own code text is equal, else "x" when any
    // other is, else no mark.
    void ownFirstEverywhere()
    {
        const std::array<QString, 4> texts{QString(), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
        int checked = 0;
        for (int n = 0; n < 256; ++n) {
            Row c(QStringLiteral("____"));
            for (int q = 0; q < 4; ++q)
                c.s[q] = texts[(n >> (2 * q)) & 3];
            const rules::Four code = c.view();
            for (int p = 0; p < 4; ++p) {
                for (const QString &guess : texts) {
                    rules::Mark expected = rules::Mark::None;
                    if (c.s[p] == guess)
                        expected = rules::Mark::Here;
                    else if (std::count(c.s.begin(), c.s.end(), guess) > 0)
                        expected = rules::Mark::Elsewhere;
                    const rules::Mark got =
                        rules::markPosition(forms::textView(guess), p, code, rules::Order::OwnFirst);
                    if (got != expected)
                        QFAIL(qPrintable(QStringLiteral("code %1|%2|%3|%4, position %5, guess '%6'")
                                             .arg(c.s[0], c.s[1], c.s[2], c.s[3]).arg(p + 1).arg(guess)));
                    ++checked;
                }
            }
        }
        QCOMPARE(checked, 256 * 4 * 4);
    }

    void player1Step()
    {
        QCOMPARE(rules::player1Status(true), rules::kPlayer2CanTie);
        QCOMPARE(rules::player1Status(false), rules::kPlayer2CanWin);
        QCOMPARE(forms::toQString(rules::kPlayer2CanWin), QStringLiteral("Player2 puede ganar el juego"));
        QCOMPARE(forms::toQString(rules::kPlayer2CanTie), QStringLiteral("Player2 puede empatar el juego"));
    }

    void player2Step_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("equals");
        QTest::addColumn<QString>("newStatus");
        QTest::addColumn<Winner>("winner");

        const QString canWin = QStringLiteral("Player2 puede ganar el juego");
        const QString canTie = QStringLiteral("Player2 puede empatar el juego");
        QTest::newRow("can win, hit") << canWin << true << "Player2 gano el juego" << Winner::Player2;
        QTest::newRow("can win, miss") << canWin << false << "" << Winner::Nobody;
        QTest::newRow("can tie, hit") << canTie << true << "Se empato el partido" << Winner::Nobody;
        QTest::newRow("can tie, miss") << canTie << false << "Player1 gano el juego" << Winner::Player1;

        // No question pending: the row is only marked.
        const QStringList others{
            QString(), QStringLiteral("Player2 gano el juego"), QStringLiteral("Player1 gano el juego"),
            QStringLiteral("Se empato el partido"), QStringLiteral("Ya pueden empezar a jugar"),
            QStringLiteral("Se cancelo el juego"), QStringLiteral("Se mostraron los números"),
            QStringLiteral("player2 puede ganar el juego"), QStringLiteral("Player2 puede ganar el juego "),
            QStringLiteral(" Player2 puede empatar el juego"), QStringLiteral("Player2 puede empatar")};
        for (const QString &other : others) {
            for (bool hit : {true, false}) {
                QTest::addRow("'%s', %s", qPrintable(other), hit ? "hit" : "miss")
                    << other << hit << kUnchanged << Winner::Nobody;
            }
        }
    }

    void player2Step()
    {
        QFETCH(QString, status);
        QFETCH(bool, equals);
        QFETCH(QString, newStatus);
        QFETCH(Winner, winner);
        const rules::Player2Outcome outcome = rules::player2Step(forms::textView(status), equals);
        QCOMPARE(outcome.status ? forms::toQString(*outcome.status) : kUnchanged, newStatus);
        QCOMPARE(outcome.winner, winner);
    }

    void incrementCounter_data()
    {
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("next");
        QTest::newRow("0") << "0" << "1";
        QTest::newRow("8") << "8" << "9";
        QTest::newRow("9") << "9" << "10";
        QTest::newRow("41") << "41" << "42";
        QTest::newRow("99") << "99" << "100";
        QTest::newRow("199") << "199" << "200";
        QTest::newRow("1009") << "1009" << "1010";
        QTest::newRow("past 32 bits") << "4294967295" << "4294967296";
        QTest::newRow("past 64 bits") << "18446744073709551615" << "18446744073709551616";
        QTest::newRow("forty nines") << QString(40, u'9') << QStringLiteral("1") + QString(40, u'0');
        QTest::newRow("leading zeros dropped") << "007" << "8";
        QTest::newRow("only zeros") << "000" << "1";
        // Anything but decimal digits starts the count again.
        QTest::newRow("empty") << "" << "1";
        QTest::newRow("blank") << " " << "1";
        QTest::newRow("leading blank") << " 5" << "1";
        QTest::newRow("sign") << "-3" << "1";
        QTest::newRow("plus") << "+3" << "1";
        QTest::newRow("decimal point") << "1.5" << "1";
        QTest::newRow("letters") << "abc" << "1";
        QTest::newRow("Arabic-Indic digit") << QStringLiteral("\u0663") << "1";
        QTest::newRow("fullwidth digit") << QStringLiteral("\uFF13") << "1";
    }

    void incrementCounter()
    {
        QFETCH(QString, counter);
        QFETCH(QString, next);
        QCOMPARE(forms::toQString(rules::incrementCounter(forms::textView(counter))), next);
    }

    // Counting up one by one agrees with the machine's own arithmetic.
    void countingUp()
    {
        std::u16string counter = u"0";
        for (int n = 1; n <= 12345; ++n) {
            counter = rules::incrementCounter(counter);
            if (counter != std::u16string(forms::textView(QString::number(n))))
                QFAIL(qPrintable(QStringLiteral("after %1 steps: %2").arg(n).arg(forms::toQString(counter))));
        }
    }
};

QTEST_APPLESS_MAIN(TestMatch)
#include "tst_match.moc"
