// The player name files through the real file system: their bytes, odd files, where they live, failed saves.
#include "two_player/namefiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quivara::two_player;

namespace {

const QString kName1 = QString::fromLatin1(kPlayer1File), kName2 = QString::fromLatin1(kPlayer2File);
const QFile::Permissions kOpen = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<none>");
}

// Runs `body` in a child process, as the user "nobody" when asked, so that file permissions hold
// even for root; returns its exit code, or -1.
int inChild(bool asNobody, const std::function<int()> &body)
{
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0)
        _exit(asNobody && geteuid() == 0 && (setgroups(0, nullptr) || setgid(65534) || setuid(65534)) ? 120 : body());
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

class TestNameFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What player1.txt gives, at once: its bytes, or "<dir>" and the like for what stands in its place.
    void load_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name"); // "<none>": no name
        QTest::newRow("one line") << QByteArray("Ana\r\n") << "Ana";
        QTest::newRow("no line end") << QByteArray("Ana") << "Ana";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("lines joined: CR LF, CR, LF") << QByteArray("\nAn\r\ra\r\n Ma\rria\n") << "Ana Maria";
        QTest::newRow("blanks and tab kept") << QByteArray("  A\tna \r\n") << "  A\tna ";
        QTest::newRow("Windows-1252") << QByteArray("Jos\xe9 \x80\x93\x81\x7f\x9f\xa0\xff")
                                      << QString::fromUtf16(u"José €“\u0081\u007f\u0178\u00a0\u00ff");
        QTest::newRow("NUL byte") << QByteArray("A\0B", 3) << QString::fromUtf16(u"A\0B", 3);
        QTest::newRow("read to 64 KiB, line ends counted") << QByteArray(65534, 'b') + "\r\nZZZ" << QString(65534, u'b');
        QTest::newRow("4 GiB, sparse") << QByteArray("<4 GiB>") << QString(65536, QChar(0));
        for (const char *odd : {"<missing>", "<dir>", "<fifo>", "<dangling link>", "<unreadable>"})
            QTest::newRow(odd) << QByteArray(odd) << "<none>";
    }

    void load()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(kName1);
        QFile file(path);
        if (bytes == "<dir>")
            QVERIFY(QDir(dir.path()).mkdir(kName1));
        else if (bytes == "<fifo>") // a reader would wait for ever
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        else if (bytes == "<dangling link>")
            QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), path));
        else if (bytes == "<4 GiB>")
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(1) << 32));
        else if (bytes != "<missing>")
            write(path, bytes == "<unreadable>" ? "Ana" : bytes);
        const NameFiles files(dir.path());
        QElapsedTimer clock;
        clock.start();
        std::optional<QString> got = files.load(kName1);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        if (bytes == "<unreadable>") {
            QVERIFY(QFile::setPermissions(path, QFile::WriteOwner) && QFile::setPermissions(dir.path(), kOpen));
            if (inChild(true, [&] { return files.load(kName1) ? 1 : 0; }) == 0)
                got.reset();
        }
        QTEST(got.value_or(QStringLiteral("<none>")), "name");
    }

    void save_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << "Ana" << QByteArray("Ana\r\n");
        QTest::newRow("emptied field") << "" << QByteArray("\r\n");
        QTest::newRow("blanks") << "  Ana Maria " << QByteArray("  Ana Maria \r\n");
        QTest::newRow("Windows-1252") << QString::fromUtf16(u"José €ŸŒ\u00a0\u00ff")
                                      << QByteArray("Jos\xe9 \x80\x9f\x8c\xa0\xff\r\n");
        QTest::newRow("? for what the code page lacks") << QString::fromUtf16(u"\u0080Łódź日\u0100")
                                                        << QByteArray("??\xf3" "d???\r\n");
        QTest::newRow("a surrogate pair is one character, at the end too") << QString::fromUtf16(u"a😀b😀")
                                                                           << QByteArray("a?b?\r\n");
        const char16_t edges[] = {0xD800, 0xDC00, 0xDBFF, 0xDFFF}, lone[] = {0xDC00, 0xD800, u'x', 0xD800};
        QTest::newRow("surrogate edges") << QString::fromUtf16(edges, 4) << QByteArray("??\r\n");
        QTest::newRow("lone halves") << QString::fromUtf16(lone, 4) << QByteArray("??x?\r\n");
    }

    // Over an older, longer file; nothing is left beside it.
    void save()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        write(dir.filePath(kName1), "an older and longer name\r\n");
        const NameFiles files(dir.path());
        QCOMPARE(files.save(kName1, name), std::nullopt);
        QCOMPARE(read(dir.filePath(kName1)), bytes);
        QCOMPARE(files.load(kName1), std::optional(bytes.contains('?') ? QString::fromLatin1(bytes.chopped(2)) : name));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{kName1});
    }

    // Both saves are tried; each failure is one line; a file not saved keeps its old bytes whole.
    void saveFaults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("failures");
        QTest::newRow("none") << "none" << 0;
        QTest::newRow("a directory as player1.txt") << "directory" << 1;
        QTest::newRow("read-only directory") << "read-only" << 2;
        QTest::newRow("disk full (file size limit)") << "size limit" << 2;
        QTest::newRow("save directory cannot be made") << "no directory" << 2;
    }

    void saveFaults()
    {
        QFETCH(QString, fault);
        QFETCH(int, failures);
        QTemporaryDir dir;
        const QString p1 = dir.filePath(kName1), p2 = dir.filePath(kName2);
        write(p1, "Ana\r\n");
        write(p2, "Luis\r\n");
        NamePlaces places{dir.path(), {dir.path()}, false};
        if (fault == u"directory")
            QVERIFY(QFile::remove(p1) && QDir(dir.path()).mkdir(kName1));
        else if (fault == u"read-only")
            QVERIFY(QFile::setPermissions(dir.path(), kOpen ^ QFile::WriteOwner));
        else if (fault == u"no directory")
            places = {p1 + QStringLiteral("/Quivara"), {}, true};
        int pipeEnds[2];
        QCOMPARE(pipe(pipeEnds), 0);
        const int code = inChild(fault == u"read-only", [&] {
            const rlimit twoBytes{2, 2};
            if (fault == u"size limit" && (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &twoBytes)))
                return 99;
            std::FILE *errors = fdopen(pipeEnds[1], "w");
            return int(NameFiles(places).saveBoth(QStringLiteral("Margarita"), QStringLiteral("Bartolomé"), errors).size());
        });
        close(pipeEnds[1]);
        QFile errors;
        QVERIFY(errors.open(pipeEnds[0], QIODevice::ReadOnly, QFile::AutoCloseHandle));
        const QStringList lines = QString::fromLocal8Bit(errors.readAll()).split(u'\n', Qt::SkipEmptyParts);
        QFile::setPermissions(dir.path(), kOpen);
        QCOMPARE(code, failures);
        QCOMPARE(lines.size(), failures);
        for (int i = 0; i < failures; ++i)
            QVERIFY2(lines[i].startsWith(QStringLiteral("quivara: could not save ") + NameFiles(places).path(i ? kName2 : kName1)),
                     qPrintable(lines[i]));
        QCOMPARE(read(p1), QByteArray(fault == u"directory" ? "<none>" : failures ? "Ana\r\n" : "Margarita\r\n"));
        QCOMPARE(read(p2), QByteArray(failures < 2 ? "Bartolom\xe9\r\n" : "Luis\r\n"));
        const QStringList left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        QCOMPARE(left, QStringList({kName1, kName2}));
    }

    // A save killed at any moment leaves the old name or the new one whole, never a mix.
    void killedSave()
    {
        QTemporaryDir dir;
        const QString a(40000, u'a'), b(30000, u'b');
        const NameFiles files(dir.path());
        QCOMPARE(files.save(kName1, a), std::nullopt);
        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("seed %u", seed);
        QRandomGenerator random(seed);
        for (int round = 0; round < 40; ++round) {
            std::fflush(nullptr);
            const pid_t child = fork();
            for (int i = 0; child == 0; ++i)
                files.save(kName1, i % 2 ? a : b);
            usleep(random.bounded(200u, 3000u));
            QVERIFY(child > 0 && kill(child, SIGKILL) == 0 && waitpid(child, nullptr, 0) == child);
            const QByteArray now = read(dir.filePath(kName1));
            QVERIFY2(now == a.toLatin1() + "\r\n" || now == b.toLatin1() + "\r\n", qPrintable(QString::number(now.size())));
        }
        QCOMPARE(files.save(kName1, QStringLiteral("Ana")), std::nullopt);
    }

    // Beside a writable program as always; else in the user's data directory, made on the first
    // save, while names shipped beside the program count until the user saves their own.
    void places()
    {
        const QString program = QStringLiteral("/opt/q"), data = QStringLiteral("/home/ana/.local/share/Quivara");
        QVERIFY(choosePlaces(true, program, data) == (NamePlaces{program, {program}, false}));
        QVERIFY(choosePlaces(false, program, data) == (NamePlaces{data, {data, program}, true}));
        QVERIFY(choosePlaces(false, program, {}) == (NamePlaces{program, {program}, false}));
        const QString here = QCoreApplication::applicationDirPath();
        QVERIFY(placesForThisUser() == (NamePlaces{here, {here}, false}));
        QTemporaryDir root;
        const QDir bin(root.path()), home(root.filePath(QStringLiteral("home/Quivara")));
        write(bin.filePath(kName1), "Shipped1\r\n");
        write(bin.filePath(kName2), "Shipped2\r\n");
        QVERIFY(directoryWritable(bin.path()) && !directoryWritable(home.path()) && !directoryWritable(bin.filePath(kName1)));
        const NameFiles files(choosePlaces(false, bin.path(), home.path()));
        QCOMPARE(files.load(kName1), std::optional(QStringLiteral("Shipped1")));
        QVERIFY(files.saveBoth(QStringLiteral("Ana"), QString()).isEmpty());
        QCOMPARE(files.load(kName1), std::optional(QStringLiteral("Ana")));
        QCOMPARE(files.load(kName2), std::optional(QString()));
        QCOMPARE(read(home.filePath(kName2)) + read(bin.filePath(kName1)), QByteArray("\r\nShipped1\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestNameFiles)
#include "tst_namefiles.moc"
