// Any text in any field: one-character fields keep one whole character, and the rules take whatever the fields hold.
#include "forms/characterlimit.h"
#include "one_player/oneplayerwindow.h"
#include "two_player/twoplayerwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace quivara;

namespace {

const QString kEmoji = QStringLiteral("😀");
const QString kNul = QString(QChar(0));
const QString kRtlMark = QStringLiteral("\u200F");
const QString kLoneHigh = QString(QChar(0xD800));

// Pastes `text` into `field` through the clipboard, as Ctrl+V does.
void paste(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QApplication::clipboard()->setText(text);
    field->paste();
}

QList<QLineEdit *> oneCharacterFields(QWidget *window)
{
    QList<QLineEdit *> fields;
    for (QLineEdit *field : window->findChildren<QLineEdit *>()) {
        if (field->validator())
            fields.append(field);
    }
    return fields;
}

QList<QAbstractButton *> rowButtons(QWidget *window)
{
    QList<QAbstractButton *> buttons;
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (button->text() == QLatin1String("----->"))
            buttons.append(button);
    }
    return buttons;
}

// The labels that start empty: the mark cells, the hidden code cells and the status line.
QList<QLabel *> emptyLabels(QWidget *window)
{
    QList<QLabel *> labels;
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->text().isEmpty() && label->pixmap().isNull())
            labels.append(label);
    }
    return labels;
}

// Texts pasted into a field, and what a one-character field keeps of each, as it stands.
void pastedTexts()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("oneCharacter");
    QTest::newRow("digit") << QStringLiteral("5") << QStringLiteral("5");
    QTest::newRow("two digits") << QStringLiteral("56") << QStringLiteral("5");
    QTest::newRow("emoji") << kEmoji << kEmoji;
    QTest::newRow("emoji and text") << kEmoji + QStringLiteral("abc") << kEmoji;
    QTest::newRow("NUL") << kNul << kNul;
    QTest::newRow("right-to-left mark") << kRtlMark + QStringLiteral("1") << kRtlMark;
    QTest::newRow("Arabic-Indic digit") << QStringLiteral("١") << QStringLiteral("١");
    QTest::newRow("accent and combining mark") << QStringLiteral("e\u0301") << QStringLiteral("e");
    QTest::newRow("lone surrogate") << kLoneHigh << kLoneHigh;
    QTest::newRow("byte-order mark") << QStringLiteral("\uFEFF") << QStringLiteral("\uFEFF");
    QTest::newRow("noncharacter") << QString(QChar(0xFFFF)) << QString(QChar(0xFFFF));
    QTest::newRow("tab") << QStringLiteral("\t9") << QStringLiteral("\t");
    QTest::newRow("long text") << QString(5000, u'8') << QStringLiteral("8");
}

QString status(QWidget *window)
{
    return window->findChild<QLabel *>(QStringLiteral("Label61"))->text();
}

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keptLength_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("kept"); // -1: the edit is refused
        QTest::newRow("empty") << QString() << 0 << 1 << 0;
        QTest::newRow("one digit") << QStringLiteral("7") << 1 << 1 << 1;
        QTest::newRow("pasted into an empty field") << QStringLiteral("12") << 2 << 1 << 1;
        QTest::newRow("typed at the end of a full field") << QStringLiteral("12") << 2 << 1 << 1;
        QTest::newRow("typed in front of a full field") << QStringLiteral("21") << 1 << 1 << -1;
        QTest::newRow("emoji whole") << kEmoji << 2 << 1 << 2;
        QTest::newRow("emoji then more") << kEmoji + u'x' << 3 << 1 << 2;
        QTest::newRow("a digit then half an emoji") << QStringLiteral("1") + QChar(0xD83D) << 2 << 1 << 1;
        QTest::newRow("half an emoji in front") << QChar(0xD83D) + QStringLiteral("1") << 1 << 1 << -1;
        QTest::newRow("lone high surrogate") << kLoneHigh << 1 << 1 << 1;
        QTest::newRow("lone low surrogate then x") << QString(QChar(0xDC00)) + u'x' << 2 << 1 << 1;
        QTest::newRow("combining accent is a character of its own") << QStringLiteral("e\u0301") << 2 << 1 << 1;
        QTest::newRow("two emoji, limit two") << kEmoji + kEmoji << 4 << 2 << 4;
        QTest::newRow("no limit reached") << QStringLiteral("ab") << 0 << 3 << 2;
    }

    void keptLength()
    {
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(int, limit);
        QFETCH(int, kept);
        const std::optional<qsizetype> result = forms::keptLength(text, cursor, limit);
        QCOMPARE(result ? int(*result) : -1, kept);
    }

    void pastedTexts_onePlayer_data() { pastedTexts(); }
    void pastedTexts_twoPlayer_data() { pastedTexts(); }


    // Every one-character field of the one-player window gets the text; every
    // row is pressed: the rows are marked against the empty code, nothing more.
    void pastedTexts_onePlayer()
    {
        QFETCH(QString, text);
        QFETCH(QString, oneCharacter);
        rules::RandomSource source;
        one_player::OnePlayerWindow window(source, [] { return 0.0; });
        const QList<QLabel *> labels = emptyLabels(&window);
        const QList<QLineEdit *> fields = oneCharacterFields(&window);
        QCOMPARE(fields.size(), 40);
        for (QLineEdit *field : fields) {
            paste(field, text);
            QCOMPARE(field->text(), oneCharacter);
        }
        const QList<QAbstractButton *> rows = rowButtons(&window);
        QCOMPARE(rows.size(), 10);
        for (QAbstractButton *row : rows)
            row->click();
        QCOMPARE(status(&window), QStringLiteral("Jugando..."));
        for (QLabel *label : labels) {
            if (label->objectName() != QLatin1String("Label61"))
                QVERIFY2(label->text().isEmpty(), qPrintable(label->objectName()));
        }
    }

    // Every field of the two-player window gets the text, the names too; each
    // Player1 row hits the code and each Player2 row answers with a hit: a tie
    // each time, every mark an "o", no game counted.
    void pastedTexts_twoPlayer()
    {
        QFETCH(QString, text);
        QFETCH(QString, oneCharacter);
        QTemporaryDir dir;
        two_player::TwoPlayerWindow window(dir.path());
        const QList<QLabel *> labels = emptyLabels(&window);
        for (QLineEdit *field : window.findChildren<QLineEdit *>()) {
            paste(field, text);
            QCOMPARE(field->text(), field->validator() ? oneCharacter : text);
        }
        QCOMPARE(oneCharacterFields(&window).size(), 88);
        const QList<QAbstractButton *> rows = rowButtons(&window);
        QCOMPARE(rows.size(), 20);
        for (int r = 0; r < 10; ++r) {
            window.submitPlayer1(r);
            QCOMPARE(status(&window), QStringLiteral("Player2 puede empatar el juego"));
            window.submitPlayer2(r);
            QCOMPARE(status(&window), QStringLiteral("Se empato el partido"));
        }
        for (QAbstractButton *row : rows)
            row->click();
        for (QLabel *label : labels) {
            if (label->objectName() != QLatin1String("Label61"))
                QCOMPARE(label->text(), QStringLiteral("o"));
        }
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("0"));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("Label3"))->text(), QStringLiteral("0"));
        // Closing saves whatever the names hold.
        window.close();
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("player1.txt"))));
    }

    // Damaged name files: eight megabytes of binary junk as player1.txt, a
    // directory as player2.txt. The window opens with what the field can take
    // of the first 64 KiB and the design name, and closes without trouble.
    void damagedNameFiles()
    {
        QTemporaryDir dir;
        QByteArray junk(8 * 1024 * 1024, '\0');
        for (qsizetype i = 0; i < junk.size(); i += 3)
            junk[i] = static_cast<char>(0x80 + i % 0x80);
        QFile file(dir.filePath(QStringLiteral("player1.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(junk), junk.size());
        file.close();
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("player2.txt")));

        auto *window = new two_player::TwoPlayerWindow(dir.path());
        auto *name1 = window->findChild<QLineEdit *>(QStringLiteral("Text89"));
        auto *name2 = window->findChild<QLineEdit *>(QStringLiteral("Text90"));
        const int fieldLimit = name1->maxLength();
        QCOMPARE(name1->text().size(), qsizetype(fieldLimit));
        QCOMPARE(name1->text().at(0), QChar(0x20AC)); // byte 0x80 in Windows-1252
        QCOMPARE(name1->text().at(1), QChar(0));
        QCOMPARE(name2->text(), QStringLiteral("Player2"));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->close();
        delete window;
        QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("player1.txt"))).size(), qint64(fieldLimit + 2));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("player2.txt"))).isDir());
    }
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
