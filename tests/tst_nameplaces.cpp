// Where the name files live: beside a writable program, else in the user's data directory.
#include "filebytes.h"
#include "two_player/namefiles.h"
#include "two_player/twoplayerwindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quivara::two_player;

Q_DECLARE_METATYPE(quivara::two_player::NamePlaces)

namespace {

using quivara::testing::kName1;
using quivara::testing::kName2;
using quivara::testing::readBytes;
using quivara::testing::writeBytes;

QStringList filesIn(const QString &directory)
{
    return QDir(directory).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// A program directory and a user's home, both temporary.
struct Places
{
    QTemporaryDir root;
    QString program = root.filePath(QStringLiteral("usr/bin"));
    // Like ~/.local/share/Quivara: missing until the first save.
    QString data = root.filePath(QStringLiteral("home/.local/share/Quivara"));

    Places() { QDir().mkpath(program); }
};

QString nameField(const TwoPlayerWindow &window, const char *name)
{
    return window.findChild<QLineEdit *>(QLatin1String(name))->text();
}

} // namespace

class TestNamePlaces : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choosePlaces_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("dataDir");
        QTest::addColumn<NamePlaces>("expected");
        const QString program = QStringLiteral("/opt/quivara");
        const QString data = QStringLiteral("/home/ana/.local/share/Quivara");
        QTest::newRow("writable: beside the program, as always")
            << true << data << NamePlaces{program, {program}, false};
        QTest::newRow("read-only: the user's data first, then beside the program")
            << false << data << NamePlaces{data, {data, program}, true};
        QTest::newRow("read-only, no data directory known: beside the program")
            << false << QString() << NamePlaces{program, {program}, false};
    }

    void choosePlaces()
    {
        QFETCH(bool, writable);
        QFETCH(QString, dataDir);
        QFETCH(NamePlaces, expected);
        const NamePlaces got = quivara::two_player::choosePlaces(writable, QStringLiteral("/opt/quivara"), dataDir);
        QCOMPARE(got.saveDirectory, expected.saveDirectory);
        QCOMPARE(got.loadDirectories, expected.loadDirectories);
        QCOMPARE(got.createSaveDirectory, expected.createSaveDirectory);
    }

    void directoryWritable()
    {
        QTemporaryDir dir;
        QVERIFY(quivara::two_player::directoryWritable(dir.path()));
        QVERIFY(!quivara::two_player::directoryWritable(dir.filePath(QStringLiteral("missing"))));
        writeBytes(dir.filePath(QStringLiteral("file")), "x");
        QVERIFY(!quivara::two_player::directoryWritable(dir.filePath(QStringLiteral("file"))));
    }

    // The program here sits in a writable build directory: nothing moves.
    void thisUserBesideAWritableProgram()
    {
        const NamePlaces places = placesForThisUser();
        QCOMPARE(places.saveDirectory, QCoreApplication::applicationDirPath());
        QCOMPARE(places.loadDirectories, QStringList{QCoreApplication::applicationDirPath()});
        QVERIFY(!places.createSaveDirectory);
    }

    // Writable program directory: the files are written and read beside it, byte for byte as always.
    void writableProgramDirectory()
    {
        Places p;
        const NameFiles files(quivara::two_player::choosePlaces(true, p.program, p.data));
        QVERIFY(files.saveBoth(QStringLiteral("Ana"), QStringLiteral("José")).isEmpty());
        QCOMPARE(readBytes(QDir(p.program).filePath(kName1)), QByteArray("Ana\r\n"));
        QCOMPARE(readBytes(QDir(p.program).filePath(kName2)), QByteArray("Jos\xe9\r\n"));
        QVERIFY(!QFileInfo::exists(p.data));
        QCOMPARE(files.load(kName2), std::optional<QString>(QStringLiteral("José")));
    }

    // Read-only program directory: the first save makes the data directory and
    // writes both files there; the program's directory is left alone.
    void readOnlyProgramDirectory()
    {
        Places p;
        const NameFiles files(quivara::two_player::choosePlaces(false, p.program, p.data));
        QVERIFY(!files.load(kName1));
        QVERIFY(files.saveBoth(QStringLiteral("Ana"), QString()).isEmpty());
        QCOMPARE(filesIn(p.data), (QStringList{kName1, kName2}));
        QCOMPARE(readBytes(QDir(p.data).filePath(kName1)), QByteArray("Ana\r\n"));
        QCOMPARE(readBytes(QDir(p.data).filePath(kName2)), QByteArray("\r\n"));
        QVERIFY(filesIn(p.program).isEmpty());
        QCOMPARE(files.load(kName1), std::optional<QString>(QStringLiteral("Ana")));
        QCOMPARE(files.load(kName2), std::optional<QString>(QString()));
    }

    // Names shipped beside a read-only program are read until the user saves
    // their own; each file is looked up on its own.
    void shippedNamesBesideAReadOnlyProgram()
    {
        Places p;
        writeBytes(QDir(p.program).filePath(kName1), "Shipped1\r\n");
        writeBytes(QDir(p.program).filePath(kName2), "Shipped2\r\n");
        const NameFiles files(quivara::two_player::choosePlaces(false, p.program, p.data));
        QCOMPARE(files.load(kName1), std::optional<QString>(QStringLiteral("Shipped1")));
        QVERIFY(QDir().mkpath(p.data));
        writeBytes(QDir(p.data).filePath(kName2), "Luis\r\n");
        QCOMPARE(files.load(kName1), std::optional<QString>(QStringLiteral("Shipped1")));
        QCOMPARE(files.load(kName2), std::optional<QString>(QStringLiteral("Luis")));
        // An empty file of the user's own still wins: it is the name they saved.
        writeBytes(QDir(p.data).filePath(kName2), "");
        QCOMPARE(files.load(kName2), std::optional<QString>(QString()));
        QVERIFY(files.saveBoth(QStringLiteral("Ana"), QStringLiteral("Bea")).isEmpty());
        QCOMPARE(readBytes(QDir(p.program).filePath(kName1)), QByteArray("Shipped1\r\n"));
        QCOMPARE(files.load(kName1), std::optional<QString>(QStringLiteral("Ana")));
    }

    // A data directory that cannot be made: both saves fail and say so.
    void dataDirectoryCannotBeMade()
    {
        Places p;
        writeBytes(p.root.filePath(QStringLiteral("home")), "a file where the home should be");
        std::FILE *errors = std::tmpfile();
        QVERIFY(errors);
        const QStringList failures =
            NameFiles(quivara::two_player::choosePlaces(false, p.program, p.data)).saveBoth(QStringLiteral("Ana"),
                                                                                           QStringLiteral("Luis"), errors);
        std::fclose(errors);
        QCOMPARE(failures.size(), 2);
        QVERIFY(failures[0].contains(kName1));
        QVERIFY(filesIn(p.program).isEmpty());
    }

    // Through the window: shipped names show, and closing stores the edited ones for the user.
    void windowSavesForTheUser()
    {
        Places p;
        writeBytes(QDir(p.program).filePath(kName2), "Luis\r\n");
        {
            TwoPlayerWindow window(NameFiles(quivara::two_player::choosePlaces(false, p.program, p.data)));
            QCOMPARE(nameField(window, "Text89"), QStringLiteral("Player1"));
            QCOMPARE(nameField(window, "Text90"), QStringLiteral("Luis"));
            window.findChild<QLineEdit *>(QStringLiteral("Text89"))->setText(QStringLiteral("Ana"));
            window.show();
            QVERIFY(window.close());
        }
        QCOMPARE(readBytes(QDir(p.data).filePath(kName1)), QByteArray("Ana\r\n"));
        QCOMPARE(readBytes(QDir(p.data).filePath(kName2)), QByteArray("Luis\r\n"));
        QCOMPARE(filesIn(p.program), QStringList{kName2});
        TwoPlayerWindow again(NameFiles(quivara::two_player::choosePlaces(false, p.program, p.data)));
        QCOMPARE(nameField(again, "Text89"), QStringLiteral("Ana"));
    }
};

QTEST_MAIN(TestNamePlaces)
#include "tst_nameplaces.moc"
