// SPDX-License-Identifier: GPL-3.0-or-later
// What the screen reader is given to say after a row or a command.
#include "forms/sentences.h"

#include <QTest>

using namespace quivara::forms;
using namespace Qt::StringLiterals;

class TestSentences : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row: a sentence as made, and as it must read. A mark cell without a mark holds the empty text.
    void sentences_data()
    {
        QTest::addColumn<QString>("made");
        QTest::addColumn<QString>("expected");
        QTest::newRow("kinds in order o, x, none") << rowMarks(3, {u"x"_s, {}, u"o"_s, u"o"_s}) << u"Fila 3, o en las cifras 3 y 4, x en la cifra 1, sin marca en la cifra 2"_s;
        QTest::newRow("no mark") << rowMarks(10, {}) << u"Fila 10, sin marca en las cifras 1, 2, 3 y 4"_s;
        QTest::newRow("row, status kept") << afterRow(u"Fila 2, x en la cifra 1"_s, u"Jugando..."_s, u"Jugando..."_s) << u"Fila 2, x en la cifra 1"_s;
        QTest::newRow("row, status emptied") << afterRow(u"R"_s, u"Player2 puede ganar el juego"_s, {}) << u"R. Línea de estado vacía"_s;
        QTest::newRow("row, verdict, one counter changed")
            << afterRow(u"R"_s, u"Player2 puede ganar el juego"_s, u"Player1 gano el juego"_s,
                        {gamesWon(u"Ana"_s, u"9"_s, u"10"_s), gamesWon(u"Bea"_s, u"3"_s, u"3"_s)})
            << u"R. Player1 gano el juego. Partidas ganadas de Ana: 10"_s;
        QTest::newRow("command, status emptied") << afterCommand({}) << u"Línea de estado vacía"_s;
    }

    void sentences()
    {
        QFETCH(QString, made);
        QTEST(made, "expected");
    }
};

QTEST_GUILESS_MAIN(TestSentences)
#include "tst_sentences.moc"

