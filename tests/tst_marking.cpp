// The marking rule and the win test, on plain texts.
#include "forms/texts.h"
#include "rowtexts.h"
#include "rules/marking.h"

#include <QTest>

using namespace quivara;
using rules::Order;

Q_DECLARE_METATYPE(rules::Orders)

namespace {

using testing::Row;
using testing::marksOf;

constexpr rules::Orders kFirstRow{Order::OwnFirst, Order::OwnFirst, Order::Ascending, Order::Ascending};

} // namespace

class TestMarking : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void markRow_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("guess");
        QTest::addColumn<rules::Orders>("orders");
        QTest::addColumn<QString>("marks");
        QTest::addColumn<bool>("wins");

        QTest::newRow("digits not used up") << "1234" << "1111" << rules::kAscending << "oxxx" << false;
        QTest::newRow("all elsewhere") << "1234" << "4321" << rules::kOwnFirst << "xxxx" << false;
        QTest::newRow("all here") << "1234" << "1234" << rules::kAscending << "oooo" << true;
        QTest::newRow("1123 ascending") << "1123" << "1111" << rules::kAscending << "oxxx" << false;
        QTest::newRow("1123 own-first") << "1123" << "1111" << rules::kOwnFirst << "ooxx" << false;
        QTest::newRow("5537 ascending wins with an x") << "5537" << "5537" << rules::kAscending << "oxoo" << true;
        QTest::newRow("5537 first row") << "5537" << "5537" << kFirstRow << "oooo" << true;
        QTest::newRow("1213 own-first at position 3") << "1213" << "5515" << rules::kOwnFirst << "--o-" << false;
        QTest::newRow("1213 ascending at position 3") << "1213" << "5515" << rules::kAscending << "--x-" << false;
        QTest::newRow("first row 1243") << "1234" << "1243" << kFirstRow << "ooxx" << false;
        QTest::newRow("nothing in common") << "1234" << "5678" << rules::kAscending << "----" << false;
        QTest::newRow("not a digit") << "1234" << "a2b4" << rules::kAscending << "-o-o" << false;
        QTest::newRow("case-sensitive") << "abcd" << "ABcd" << rules::kOwnFirst << "--oo" << false;
        QTest::newRow("three of four do not win") << "1234" << "1235" << rules::kOwnFirst << "ooo-" << false;
        QTest::newRow("empty code, empty row ascending") << "____" << "____" << rules::kAscending << "oxxx" << true;
        QTest::newRow("empty code, empty row own-first") << "____" << "____" << rules::kOwnFirst << "oooo" << true;
        QTest::newRow("empty code, first row") << "____" << "____" << kFirstRow << "ooxx" << true;
        QTest::newRow("empty code, digits") << "____" << "12_4" << rules::kAscending << "--x-" << false;
        QTest::newRow("empty field, full code") << "1234" << "1_34" << rules::kOwnFirst << "o-oo" << false;
        QTest::newRow("empty field meets an empty code field elsewhere")
            << "1_34" << "_234" << rules::kOwnFirst << "x-oo" << false;
    }

    void markRow()
    {
        QFETCH(QString, code);
        QFETCH(QString, guess);
        QFETCH(rules::Orders, orders);
        QFETCH(QString, marks);
        QFETCH(bool, wins);
        const Row c(code), g(guess);
        QCOMPARE(marksOf(rules::markRow(g.view(), c.view(), orders)), marks);
        QCOMPARE(rules::guessesCode(g.view(), c.view()), wins);
    }

    // Texts compare exactly: no trimming, no numbers.
    void exactEquality_data()
    {
        QTest::addColumn<QString>("guess");
        QTest::addColumn<QString>("codeText");
        QTest::addColumn<bool>("equal");
        QTest::newRow("same digit") << "7" << "7" << true;
        QTest::newRow("leading blank") << " 7" << "7" << false;
        QTest::newRow("leading zero") << "07" << "7" << false;
        QTest::newRow("trailing blank") << "7 " << "7" << false;
        QTest::newRow("empty and blank") << "" << " " << false;
        QTest::newRow("both empty") << "" << "" << true;
        QTest::newRow("accent") << QStringLiteral("é") << QStringLiteral("e") << false;
        QTest::newRow("last code unit and empty") << QString(QChar(0xffff)) << QString() << false;
        QTest::newRow("NUL and empty") << QString(QChar(0)) << QString() << false;
        QTest::newRow("NUL and NUL") << QString(QChar(0)) << QString(QChar(0)) << true;
        QTest::newRow("two same characters") << "77" << "77" << true;
        QTest::newRow("one of two characters") << "7" << "77" << false;
    }

    void exactEquality()
    {
        QFETCH(QString, guess);
        QFETCH(QString, codeText);
        QFETCH(bool, equal);
        const QString other = QStringLiteral("#");
        const rules::Four code{forms::textView(codeText), forms::textView(other), forms::textView(other),
                               forms::textView(other)};
        const rules::Four row{forms::textView(guess), forms::textView(other), forms::textView(other),
                              forms::textView(other)};
        QCOMPARE(rules::markPosition(row[0], 0, code, Order::Ascending) == rules::Mark::Here, equal);
        // A whole row, whether its texts are all of one character or not.
        QCOMPARE(rules::markRow(row, code, rules::kAscending)[0] == rules::Mark::Here, equal);
        QCOMPARE(rules::markRow(row, code, rules::kOwnFirst)[1], rules::Mark::Here);
        QCOMPARE(rules::guessesCode(row, code), equal);
    }

    // The two orders differ only where the guessed digit also stands at a lower code position.
    void ordersDifferOnlyOnEarlierEqualDigit()
    {
        const QString digits = QStringLiteral("0123");
        int differing = 0;
        for (int code = 0; code < 256; ++code) {
            Row c(QStringLiteral("0000"));
            for (int p = 0; p < 4; ++p)
                c.s[p] = digits[(code >> (2 * p)) & 3];
            for (int p = 0; p < 4; ++p) {
                for (QChar d : digits) {
                    const QString guess(d);
                    const auto v = c.view();
                    const auto asc = rules::markPosition(forms::textView(guess), p, v, Order::Ascending);
                    const auto own = rules::markPosition(forms::textView(guess), p, v, Order::OwnFirst);
                    bool earlier = false;
                    for (int q = 0; q < p; ++q)
                        earlier = earlier || c.s[q] == guess;
                    const bool expectDiffer = c.s[p] == guess && earlier;
                    QCOMPARE(asc != own, expectDiffer);
                    differing += asc != own;
                }
            }
        }
        QVERIFY(differing > 0);
    }
};

QTEST_APPLESS_MAIN(TestMarking)
#include "tst_marking.moc"
