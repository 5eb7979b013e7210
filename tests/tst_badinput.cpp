// Damaged name files: the two-player window opens with what it can take of them and closes without trouble.
#include "two_player/twoplayerwindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace quivara;

class TestBadInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
