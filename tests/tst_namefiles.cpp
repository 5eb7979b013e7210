// SPDX-License-Identifier: GPL-3.0-or-later
// The player name files through the real file system: their bytes, odd files, where they live, failed saves.
#include "two_player/namefiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// Other processes, users, FIFOs and file size limits: a POSIX system's, which Windows and a page lack
// (CMake defines QUIVARA_POSIX_PROCESSES on Linux).
#ifdef QUIVARA_POSIX_PROCESSES
#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace quivara::two_player;

namespace {

const QString kName1 = QString::fromLatin1(kPlayer1File), kName2 = QString::fromLatin1(kPlayer2File);

// Writes `bytes` to `path` when given; returns what the file holds then, or "<none>".
QByteArray bytesOf(const QString &path, const std::optional<QByteArray> &bytes = {})
{
    QFile file(path);
    if (bytes && (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size()))
        return "<not written>";
    file.close();
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<none>");
}

#ifdef QUIVARA_POSIX_PROCESSES
const QFile::Permissions kOpen = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;

// Runs `body` in a child process, as the user "nobody" when asked, so that file permissions hold
// even for root; returns its exit code, or -1.
template<typename Body>
int inChild(bool asNobody, Body body)
{
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0)
        _exit(asNobody && geteuid() == 0 && (setgroups(0, nullptr) || setgid(65534) || setuid(65534)) ? 120 : body());
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

} // namespace

class TestNameFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What player1.txt gives: its bytes, or "<dir>" and the like for what stands in its place.
    void load_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name"); // "<none>": no name
        QTest::newRow("CR LF, CR, LF joined; blanks kept") << QByteArray("\n A\tn\r\ra\r\n Ma\rria ") << " A\tna Maria ";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("Windows-1252, NUL") << QByteArray("Jos\xe9\0\x80\x81\x7f\x9f\xa0\xff", 11)
                                           << QString::fromUtf16(u"José\0€\u0081\u007f\u0178\u00a0\u00ff", 11);
        // Read to 64 KiB with the line ends in it, at once, from a sparse 4 GiB file.
#ifndef Q_OS_WASM // a page's files are in its memory, which holds no 4 GiB
        QTest::newRow("4 GiB") << QByteArray(65533, 'b') + "\r\nZY" << QString(65533, u'b') + u'Z';
#endif
#ifndef QUIVARA_POSIX_PROCESSES
        for (const char *odd : {"<missing>", "<dir>"})
#else
        for (const char *odd : {"<missing>", "<dir>", "<fifo>", "<unreadable>"})
#endif
            QTest::newRow(odd) << QByteArray(odd) << "<none>";
    }

    void load()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(kName1);
        if (bytes == "<dir>")
            QVERIFY(QDir(dir.path()).mkdir(kName1));
#ifdef QUIVARA_POSIX_PROCESSES
        else if (bytes == "<fifo>") // a reader would wait for ever
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0644), 0);
#endif
        else if (bytes != "<missing>")
            QCOMPARE(bytesOf(path, bytes), bytes);
        if (bytes.size() > 65536)
            QVERIFY(QFile::resize(path, qint64(1) << 32));
        const NameFiles files(dir.path());
        QElapsedTimer clock;
        clock.start();
        std::optional<QString> got = files.load(kName1);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
#ifdef QUIVARA_POSIX_PROCESSES
        if (bytes == "<unreadable>") {
            QVERIFY(QFile::setPermissions(path, QFile::WriteOwner) && QFile::setPermissions(dir.path(), kOpen));
            if (inChild(true, [&] { return files.load(kName1) ? 1 : 0; }) == 0)
                got.reset();
        }
#endif
        QTEST(got.value_or(QStringLiteral("<none>")), "name");
    }

    void save_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("blanks") << "  Ana Maria " << QByteArray("  Ana Maria \r\n");
        QTest::newRow("emptied field") << "" << QByteArray("\r\n");
        QTest::newRow("Windows-1252") << QString::fromUtf16(u"José €ŸŒ\u00a0\u00ff") << QByteArray("Jos\xe9 \x80\x9f\x8c\xa0\xff\r\n");
        QTest::newRow("? for what the code page lacks") << QString::fromUtf16(u"\u0080ó日\u0100") << QByteArray("?\xf3??\r\n");
        // Lone halves, then whole pairs at the edges of the surrogate ranges, the last at the very end.
        const char16_t surrogates[] = {0xDC00, 0xDC00, 0xD800, u'x', 0xD800, 0xDC00, 0xDBFF, 0xDFFF};
        QTest::newRow("surrogates") << QString::fromUtf16(surrogates, 8) << QByteArray("???x??\r\n");
    }

    // Over an older, longer file; nothing is left beside it.
    void save()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        bytesOf(dir.filePath(kName1), "an older and longer name\r\n");
        QCOMPARE(NameFiles(dir.path()).save(kName1, name), std::nullopt);
        QCOMPARE(bytesOf(dir.filePath(kName1)), bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{kName1});
    }

    // One name in the system's code page and back: what it lacks is "?". That is Windows-1252 but where
    // a Windows test run on a Cyrillic system says it has code page 1251.
    void codePage()
    {
        const bool cyrillic = qEnvironmentVariableIntValue("QUIVARA_ANSI_CODE_PAGE") == 1251;
        QTemporaryDir dir;
        const NameFiles files(dir.path());
        QCOMPARE(files.save(kName1, QStringLiteral("Иван José")), std::nullopt);
        QCOMPARE(bytesOf(dir.filePath(kName1)), cyrillic ? QByteArray("\xc8\xe2\xe0\xed Jos?\r\n") : QByteArray("???? Jos\xe9\r\n"));
        QCOMPARE(files.load(kName1), std::optional(cyrillic ? QStringLiteral("Иван Jos?") : QStringLiteral("???? José")));
    }

#ifdef QUIVARA_POSIX_PROCESSES
    // Both saves are tried; each failure is one line; a file not saved keeps its old bytes whole.
    void saveFaults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("failures");
        QTest::newRow("a directory as player1.txt") << "directory" << 1;
        QTest::newRow("read-only directory") << "read-only" << 2;
        QTest::newRow("disk full (file size limit)") << "size limit" << 2;
    }

    void saveFaults()
    {
        QFETCH(QString, fault);
        QFETCH(int, failures);
        QTemporaryDir dir;
        const QString p1 = dir.filePath(kName1), p2 = dir.filePath(kName2);
        bytesOf(p1, "Ana\r\n");
        bytesOf(p2, "Luis\r\n");
        if (fault == u"directory")
            QVERIFY(QFile::remove(p1) && QDir(dir.path()).mkdir(kName1));
        else if (fault == u"read-only")
            QVERIFY(QFile::setPermissions(dir.path(), kOpen ^ QFile::WriteOwner));
        // The child's exit code: the number of failures, each reported as one line naming its file.
        const int code = inChild(fault == u"read-only", [&] {
            const rlimit twoBytes{2, 2};
            if (fault == u"size limit" && (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &twoBytes)))
                return 99;
            const NameFiles files(dir.path());
            const QStringList lines = files.saveBoth(QStringLiteral("Margarita"), QStringLiteral("Bartolomé"));
            for (int i = 0; i < lines.size(); ++i) {
                if (!lines[i].startsWith(QStringLiteral("quivara: could not save ") + files.path(i ? kName2 : kName1)))
                    return 98;
            }
            return int(lines.size());
        });
        QFile::setPermissions(dir.path(), kOpen);
        QCOMPARE(code, failures);
        QCOMPARE(bytesOf(p1), QByteArray(failures == 1 ? "<none>" : "Ana\r\n"));
        QCOMPARE(bytesOf(p2), QByteArray(failures == 1 ? "Bartolom\xe9\r\n" : "Luis\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList({kName1, kName2}));
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
            const pid_t child = fork();
            for (int i = 0; child == 0; ++i)
                files.save(kName1, i % 2 ? a : b);
            usleep(random.bounded(200u, 3000u));
            QVERIFY(child > 0 && kill(child, SIGKILL) == 0 && waitpid(child, nullptr, 0) == child);
            const QByteArray now = bytesOf(dir.filePath(kName1));
            QVERIFY2(now == a.toLatin1() + "\r\n" || now == b.toLatin1() + "\r\n", qPrintable(QString::number(now.size())));
        }
    }

#endif

    // Beside a writable program as always; else in the user's data directory, made on the first
    // save, while names shipped beside the program count until the user saves their own.
    void places()
    {
        const QString here = QCoreApplication::applicationDirPath();
        QVERIFY(placesForThisUser() == (NamePlaces{here, {here}, false}) && choosePlaces(false, here, {}) == placesForThisUser());
        QTemporaryDir bin;
        const QString home = bin.filePath(QStringLiteral("home/Quivara"));
        bytesOf(bin.filePath(kName1), "Shipped\r\n");
        QVERIFY(!directoryWritable(bin.filePath(kName1)) && !directoryWritable(home));
        const NameFiles files(choosePlaces(false, bin.path(), home));
        QCOMPARE(files.load(kName1), std::optional(QStringLiteral("Shipped")));
        QVERIFY(files.saveBoth(QStringLiteral("Ana"), QString()).isEmpty());
        QCOMPARE(files.load(kName1), std::optional(QStringLiteral("Ana")));
        QCOMPARE(bytesOf(bin.filePath(kName1)) + bytesOf(QDir(home).filePath(kName2)), QByteArray("Shipped\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestNameFiles)
#include "tst_namefiles.moc"
