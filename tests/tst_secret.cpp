// Drawing the secret code: the digit steps, the status text, and the spread of a long run.
#include "forms/texts.h"
#include "rules/secret.h"

#include <QTest>

#include <cmath>
#include <random>

using namespace quivara;

class TestSecret : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void digitFromDraw_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<bool>("first");
        QTest::addColumn<int>("digit");
        QTest::newRow("zero, later position") << 0.0 << false << 0;
        QTest::newRow("zero, first position") << 0.0 << true << 1;
        QTest::newRow("just under a half") << 0.0499 << true << 1;
        QTest::newRow("half goes to even 0") << 0.05 << false << 0;
        QTest::newRow("2.5 goes to 2") << 0.25 << false << 2;
        QTest::newRow("7.5 goes to 8") << 0.75 << false << 8;
        QTest::newRow("3.5 goes to 4") << 0.35 << false << 4;
        QTest::newRow("9.49 stays 9") << 0.949 << false << 9;
        QTest::newRow("9.5 goes to 10, then 1") << 0.95 << false << 1;
        QTest::newRow("nearly one gives 10, then 1") << 0.9999999 << false << 1;
        QTest::newRow("nearly one at first position") << 0.9999999 << true << 1;
    }

    void digitFromDraw()
    {
        QFETCH(double, r);
        QFETCH(bool, first);
        QFETCH(int, digit);
        QCOMPARE(rules::digitFromDraw(r, first), digit);
    }

    void drawStatus_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("status");
        QTest::newRow("all different") << "4071" << " Listo, puede empezar a jugar";
        QTest::newRow("first two equal") << "5537" << "El numero se repite, genere otro";
        QTest::newRow("outer two equal") << "1231" << "El numero se repite, genere otro";
        QTest::newRow("last two equal") << "1233" << "El numero se repite, genere otro";
    }

    void drawStatus()
    {
        QFETCH(QString, code);
        QFETCH(QString, status);
        const forms::FourTexts texts{{code.mid(0, 1), code.mid(1, 1), code.mid(2, 1), code.mid(3, 1)}};
        QCOMPARE(forms::toQString(rules::drawStatus(texts.view())), status);
    }

    // A clock that never moves: every seed is equal, the draws must still differ.
    void equalSeedsDoNotForceEqualDigits()
    {
        rules::RandomSource source(7);
        const rules::TimeOfDay frozen = [] { return 43200.25; };
        int allFourEqual = 0;
        int differentCodes = 0;
        QString previous;
        for (int i = 0; i < 1000; ++i) {
            const rules::DrawnCode drawn = rules::drawCode(source, frozen);
            const QString code = forms::toQString(drawn.digits[0]) + forms::toQString(drawn.digits[1])
                + forms::toQString(drawn.digits[2]) + forms::toQString(drawn.digits[3]);
            allFourEqual += code.count(code[0]) == 4;
            differentCodes += code != previous;
            previous = code;
        }
        // Four equal digits happen by chance about once in a thousand (a bit more with the extra ones).
        QVERIFY2(allFourEqual < 10, qPrintable(QString::number(allFourEqual)));
        QVERIFY(differentCodes > 990);
    }

    // Each digit follows the table of frequencies; a fixed seed, printed, keeps it repeatable.
    void spreadOfDigits()
    {
        const std::uint64_t seed = 20261206;
        qInfo("seed %llu", static_cast<unsigned long long>(seed));
        rules::RandomSource source(seed);
        std::mt19937_64 clockNoise(seed);
        double clock = 3600.0;
        const rules::TimeOfDay ticking = [&] { return clock += (clockNoise() % 3) * 0.015625; };

        constexpr int kDraws = 40000;
        int counts[4][10] = {};
        int repeated = 0;
        for (int i = 0; i < kDraws; ++i) {
            const rules::DrawnCode drawn = rules::drawCode(source, ticking);
            for (int p = 0; p < 4; ++p) {
                QCOMPARE(drawn.digits[p].size(), std::size_t(1));
                const int d = drawn.digits[p][0] - u'0';
                QVERIFY(d >= 0 && d <= 9);
                ++counts[p][d];
            }
            repeated += drawn.status == rules::kRepeated;
        }
        QCOMPARE(counts[0][0], 0);
        auto expected = [](int p, int d) {
            if (p == 0)
                return d == 0 ? 0.0 : d == 1 ? 0.2 : 0.1;
            return d == 0 ? 0.05 : d == 1 ? 0.15 : 0.1;
        };
        for (int p = 0; p < 4; ++p) {
            for (int d = 0; d < 10; ++d) {
                const double share = double(counts[p][d]) / kDraws;
                // Five standard deviations of a share near 0.1 over 40000 draws is about 0.0075.
                QVERIFY2(std::abs(share - expected(p, d)) < 0.008,
                         qPrintable(QStringLiteral("position %1 digit %2 share %3").arg(p + 1).arg(d).arg(share)));
            }
        }
        QVERIFY(repeated > kDraws / 3 && repeated < kDraws * 2 / 3);
    }
};

QTEST_APPLESS_MAIN(TestSecret)
#include "tst_secret.moc"
