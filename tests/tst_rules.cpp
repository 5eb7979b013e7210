// SPDX-License-Identifier: GPL-3.0-or-later
// The game's rules on plain texts: marking and the win test, the match step, the counter, the code draw.
#include "rules/match.h"
#include "rules/secret.h"

#include <QTest>

#include <random>

using namespace quivara::rules;

namespace {

// Four texts from four characters ("_" is the empty text) or from four texts split at "|".
std::array<std::u16string, 4> four(const QString &s)
{
    const QStringList parts = s.contains(u'|') ? s.split(u'|') : QStringList{s[0], s[1], s[2], s[3]};
    std::array<std::u16string, 4> texts;
    for (int p = 0; p < 4; ++p)
        texts[p] = parts[p] == QLatin1String("_") ? u"" : parts[p].toStdU16String();
    return texts;
}

Four view(const std::array<std::u16string, 4> &t) { return {t[0], t[1], t[2], t[3]}; }

} // namespace

class TestRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each position compared own-first or ascending. Marks: "o", "x", "-" for none.
    void marking_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("guess");
        QTest::addColumn<bool>("ownFirst");
        QTest::addColumn<QString>("marks");
        QTest::addColumn<bool>("wins");
        QTest::newRow("digits are not used up") << "1234" << "1111" << false << "oxxx" << false;
        QTest::newRow("1123 own-first") << "1123" << "1111" << true << "ooxx" << false;
        QTest::newRow("5537 ascending wins with an x") << "5537" << "5537" << false << "oxoo" << true;
        QTest::newRow("own digit at 3 after an equal 1") << "1213" << "5515" << true << "--o-" << false;
        QTest::newRow("the same, ascending") << "1213" << "5515" << false << "--x-" << false;
        QTest::newRow("empty code and row") << "____" << "____" << false << "oxxx" << true;
        QTest::newRow("empty field meets an empty code field") << "1_34" << "_234" << true << "x-oo" << false;
        QTest::newRow("12 is not 1") << "12|7|1|8" << "1|7|1|8" << false << "xooo" << false;
        QTest::newRow("1 is not 12") << "1|7|12|8" << "12|7|1|8" << true << "xoxo" << false;
        QTest::newRow("no trimming, no numbers") << "7|8|9|0" << " 7|8 |09|0" << false << "---o" << false;
    }

    void marking()
    {
        QFETCH(QString, code);
        QFETCH(QString, guess);
        QFETCH(bool, ownFirst);
        const auto c = four(code), g = four(guess);
        QString marks;
        for (Mark m : markRow(view(g), view(c), ownFirst ? kOwnFirst : kAscending))
            marks += m == Mark::None ? QStringLiteral("-") : QStringView(markText(m)).toString();
        QTEST(marks, "marks");
        QTEST(guessesCode(view(g), view(c)), "wins");
    }

    void player2Step_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("hit");
        QTest::addColumn<QString>("next"); // "=": the status line stays
        QTest::addColumn<Winner>("winner");
        QTest::newRow("can win, hit") << "Player2 puede ganar el juego" << true << "Player2 gano el juego" << Winner::Player2;
        QTest::newRow("can win, miss") << "Player2 puede ganar el juego" << false << "" << Winner::Nobody;
        QTest::newRow("can tie, hit") << "Player2 puede empatar el juego" << true << "Se empato el partido" << Winner::Nobody;
        QTest::newRow("can tie, miss") << "Player2 puede empatar el juego" << false << "Player1 gano el juego" << Winner::Player1;
        for (const char *other : {"", "Player2 gano el juego", "Se empato el partido", "Se cancelo el juego",
                                  "player2 puede ganar el juego", "Player2 puede ganar el juego ", "Player2 puede empatar"})
            for (bool hit : {true, false})
                QTest::addRow("'%s' %d", other, hit) << QString::fromUtf8(other) << hit << "=" << Winner::Nobody;
    }

    void player2Step()
    {
        QFETCH(QString, status);
        QFETCH(bool, hit);
        const Player2Outcome out = quivara::rules::player2Step(status.toStdU16String(), hit);
        QTEST(out.status ? QStringView(*out.status).toString() : QStringLiteral("="), "next");
        QTEST(out.winner, "winner");
    }

    void incrementCounter_data()
    {
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("next");
        for (const char *pair : {"0 1", "9 10", "199 200", "1009 1010", "007 8", "000 1",
                                 "99999999999999999999 100000000000000000000"})
            QTest::newRow(pair) << QString::fromLatin1(pair).section(u' ', 0, 0) << QString::fromLatin1(pair).section(u' ', 1);
        // Anything but decimal digits starts the count again.
        for (const char16_t *odd : {u"", u" ", u" 5", u"-3", u"1.5", u"/", u":", u"a", u"\u0663", u"\uFF13"})
            QTest::addRow("'%s'", qPrintable(QString::fromUtf16(odd))) << QString::fromUtf16(odd) << "1";
    }

    void incrementCounter()
    {
        QFETCH(QString, counter);
        QTEST(QString::fromStdU16String(quivara::rules::incrementCounter(counter.toStdU16String())), "next");
    }

    void drawnDigitAndStatus()
    {
        // r x 10 rounded half to even, 9 taken off above 9 (the first position's floor of 1 shows in the spread).
        for (auto [r, digit] : {std::pair{0.0, 0}, {0.05, 0}, {0.25, 2}, {0.75, 8}, {0.9, 9}, {0.95, 1}})
            QCOMPARE(digitFromDraw(r, false), digit);
        QCOMPARE(drawStatus(view(four(QStringLiteral("4071")))), kReady);
        for (const char *repeated : {"5537", "1231", "1223", "1233", "12|1|2|12"})
            QCOMPARE(drawStatus(view(four(QString::fromLatin1(repeated)))), kRepeated);
    }

    // Each position's digits follow the spread of the rounding with a clock standing still: equal seeds
    // still give fresh draws, as seeding never restarts the sequence.
    void drawSpread()
    {
        const std::uint64_t seed = qEnvironmentVariable("QUIVARA_SEED", QString::number(std::random_device()())).toULongLong();
        qInfo("seed %llu (QUIVARA_SEED=%llu repeats the run)", qulonglong(seed), qulonglong(seed));
        RandomSource source(seed);
        constexpr int kDraws = 40000;
        int counts[4][10] = {}, repeated = 0;
        for (int i = 0; i < kDraws; ++i) {
            const DrawnCode drawn = drawCode(source, [] { return 3600.0; });
            for (int p = 0; p < 4; ++p)
                ++counts[p][drawn.digits[p].size() == 1 ? std::clamp(drawn.digits[p][0] - u'0', 0, 9) : 0];
            repeated += drawn.status == kRepeated;
        }
        for (int p = 0; p < 4; ++p)
            for (int d = 0; d < 10; ++d) {
                const double expected = d > 1 ? 0.1 : p == 0 ? 0.2 * d : d == 0 ? 0.05 : 0.15;
                // Five standard deviations of a share near 0.1 over 40000 draws is about 0.0075.
                QVERIFY2(std::abs(double(counts[p][d]) / kDraws - expected) < 0.008,
                         qPrintable(QStringLiteral("position %1, digit %2: %3").arg(p + 1).arg(d).arg(counts[p][d])));
            }
        QVERIFY(repeated > kDraws / 3 && repeated < kDraws * 2 / 3);
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
