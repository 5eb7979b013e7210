// The player name files: the byte codec, and loading and saving through a real directory.
#include "filebytes.h"
#include "two_player/namecodec.h"
#include "two_player/namefiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <functional>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace quivara::two_player;

namespace {

QString fromU16(const std::u16string &s)
{
    return QString(reinterpret_cast<const QChar *>(s.data()), static_cast<qsizetype>(s.size()));
}

std::u16string toU16(const QString &s)
{
    return std::u16string(reinterpret_cast<const char16_t *>(s.utf16()), static_cast<std::size_t>(s.size()));
}

QString decode(const QByteArray &bytes)
{
    return fromU16(decodeName(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

QByteArray encode(const QString &name)
{
    const std::string bytes = encodeName(toU16(name));
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

using quivara::testing::kName1;
using quivara::testing::kName2;
using quivara::testing::readBytes;
using quivara::testing::writeBytes;

// What was written to a temporary FILE, one entry per line.
QStringList linesOf(std::FILE *file)
{
    std::rewind(file);
    QByteArray all;
    char buffer[512];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, file))
        all.append(buffer, static_cast<qsizetype>(n));
    QStringList lines = QString::fromLocal8Bit(all).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

#ifdef Q_OS_UNIX
// Runs `body` in a child process under the unprivileged user "nobody", where
// file permissions hold even when the tests run as root; returns its exit code,
// or -1 when the child could not be made or died.
int runAsNobody(const std::function<int()> &body)
{
    constexpr uid_t kNobody = 65534;
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(120);
        _exit(body());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
#endif

} // namespace

class TestNameFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodeName_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::newRow("one line") << QByteArray("Ana\r\n") << "Ana";
        QTest::newRow("no line end") << QByteArray("Ana") << "Ana";
        QTest::newRow("empty file") << QByteArray() << "";
        QTest::newRow("only a line end") << QByteArray("\r\n") << "";
        QTest::newRow("two lines") << QByteArray("Ana\r\nMaria\r\n") << "AnaMaria";
        QTest::newRow("CR only") << QByteArray("Ana\rMaria\r") << "AnaMaria";
        QTest::newRow("LF only") << QByteArray("Ana\nMaria\n") << "AnaMaria";
        QTest::newRow("mixed ends and empty lines") << QByteArray("\nA\r\r\nn\n\ra\r\n\n") << "Ana";
        QTest::newRow("blanks kept") << QByteArray("  Ana  \r\n") << "  Ana  ";
        QTest::newRow("tab kept") << QByteArray("A\tna\r\n") << "A\tna";
        QTest::newRow("José") << QByteArray("Jos\xe9\r\n") << QStringLiteral("José");
        QTest::newRow("Nuñez") << QByteArray("Nu\xf1" "ez\r\n") << QStringLiteral("Nuñez");
        QTest::newRow("euro and quotes") << QByteArray("\x80\x93\x94\r\n") << QStringLiteral("€“”");
        QTest::newRow("unassigned byte") << QByteArray("\x81") << QStringLiteral("\u0081");
        QTest::newRow("NUL byte") << QByteArray("A\0B", 3) << QString(QStringLiteral("A") + QChar(0) + u'B');
    }

    void decodeName()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QCOMPARE(decode(bytes), name);
    }

    void encodeName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << "Ana" << QByteArray("Ana\r\n");
        QTest::newRow("empty") << "" << QByteArray("\r\n");
        QTest::newRow("blanks") << " Ana " << QByteArray(" Ana \r\n");
        QTest::newRow("José") << QStringLiteral("José") << QByteArray("Jos\xe9\r\n");
        QTest::newRow("Nuñez") << QStringLiteral("Nuñez") << QByteArray("Nu\xf1" "ez\r\n");
        QTest::newRow("euro") << QStringLiteral("5€") << QByteArray("5\x80\r\n");
        QTest::newRow("Ÿ and Œ") << QStringLiteral("ŸŒ") << QByteArray("\x9f\x8c\r\n");
        QTest::newRow("Polish Ł") << QStringLiteral("Łukasz") << QByteArray("?ukasz\r\n");
        QTest::newRow("Japanese") << QStringLiteral("日本") << QByteArray("??\r\n");
        QTest::newRow("emoji is one character") << QStringLiteral("a😀b") << QByteArray("a?b\r\n");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?\r\n");
    }

    void encodeName()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encode(name), bytes);
    }

    // Every byte but the line ends decodes and encodes back to itself.
    void everyByteRoundTrips()
    {
        std::string all;
        for (int b = 0; b < 256; ++b) {
            if (b != '\r' && b != '\n')
                all.push_back(static_cast<char>(b));
        }
        const std::u16string text = decodeWindows1252(all);
        QCOMPARE(text.size(), all.size());
        QCOMPARE(encodeWindows1252(text), all);
        QCOMPARE(quivara::two_player::decodeName(quivara::two_player::encodeName(text)), text);
    }

    void decodeReadsAtMost64KiB()
    {
        QByteArray bytes(100 * 1024, 'a');
        QCOMPARE(decode(bytes).size(), qsizetype(kMaxNameFileBytes));
        // The bound counts bytes as stored, line ends included.
        bytes = QByteArray(kMaxNameFileBytes - 2, 'b') + "\r\nZZZ";
        QCOMPARE(decode(bytes), QString(qsizetype(kMaxNameFileBytes - 2), u'b'));
    }

    void filesBesideTheGivenDirectory()
    {
        const NameFiles files(QStringLiteral("/some/where"));
        QCOMPARE(files.path(kName1), QStringLiteral("/some/where/player1.txt"));
    }

    void missingFiles()
    {
        QTemporaryDir dir;
        const NameFiles files(dir.path());
        QVERIFY(!files.load(kName1));
        QVERIFY(!files.load(kName2));
        QVERIFY(!NameFiles(dir.filePath(QStringLiteral("no-such-dir"))).load(kName1));
    }

    void onlyOneFilePresent()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath(kName2), "Ana\r\n");
        const NameFiles files(dir.path());
        QVERIFY(!files.load(kName1));
        QCOMPARE(files.load(kName2), std::optional<QString>(QStringLiteral("Ana")));
    }

    // An opened file always gives a name, even the empty one.
    void emptyFile()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath(kName1), {});
        const std::optional<QString> name = NameFiles(dir.path()).load(kName1);
        QVERIFY(name.has_value());
        QCOMPARE(*name, QString());
    }

    void lineEndsFromDisk_data() { decodeName_data(); }

    void lineEndsFromDisk()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QTemporaryDir dir;
        writeBytes(dir.filePath(kName1), bytes);
        QCOMPARE(NameFiles(dir.path()).load(kName1), std::optional<QString>(name));
    }

    // The exact bytes written, and the name read back unchanged.
    void saveAndLoad_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << "Ana" << QByteArray("Ana\r\n");
        QTest::newRow("emptied field") << "" << QByteArray("\r\n");
        QTest::newRow("leading and trailing blanks") << "  Ana Maria " << QByteArray("  Ana Maria \r\n");
        QTest::newRow("José") << QStringLiteral("José") << QByteArray("Jos\xe9\r\n");
        QTest::newRow("Nuñez") << QStringLiteral("Nuñez") << QByteArray("Nu\xf1" "ez\r\n");
    }

    void saveAndLoad()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const NameFiles files(dir.path());
        writeBytes(dir.filePath(kName1), "an older and much longer name\r\n");
        QCOMPARE(files.save(kName1, name), std::nullopt);
        QCOMPARE(readBytes(dir.filePath(kName1)), bytes);
        QCOMPARE(files.load(kName1), std::optional<QString>(name));
        // Nothing is left behind: no temporary file beside the name file.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{kName1});
    }

    void unmappableCharacterStoredAsQuestionMark()
    {
        QTemporaryDir dir;
        const NameFiles files(dir.path());
        QCOMPARE(files.save(kName1, QStringLiteral("Łódź")), std::nullopt);
        QCOMPARE(readBytes(dir.filePath(kName1)), QByteArray("?\xf3" "d?\r\n"));
        QCOMPARE(files.load(kName1), std::optional<QString>(QStringLiteral("?ód?")));
    }

    void saveBothWritesBoth()
    {
        QTemporaryDir dir;
        std::FILE *errors = std::tmpfile();
        QVERIFY(errors);
        const QStringList failures = NameFiles(dir.path()).saveBoth(QStringLiteral("Ana"), QStringLiteral("Luis"), errors);
        QVERIFY(failures.isEmpty());
        QVERIFY(linesOf(errors).isEmpty());
        std::fclose(errors);
        QCOMPARE(readBytes(dir.filePath(kName1)), QByteArray("Ana\r\n"));
        QCOMPARE(readBytes(dir.filePath(kName2)), QByteArray("Luis\r\n"));
    }

    // A directory where player1.txt should be: it is no name, it stays as it
    // is, the failure is one line naming the file, and player2.txt is still written.
    void directoryInPlaceOfAFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(kName1));
        writeBytes(dir.filePath(kName1 + QStringLiteral("/inside")), "kept");
        const NameFiles files(dir.path());
        QVERIFY(!files.load(kName1));

        std::FILE *errors = std::tmpfile();
        QVERIFY(errors);
        const QStringList failures = files.saveBoth(QStringLiteral("Ana"), QStringLiteral("Luis"), errors);
        const QStringList lines = linesOf(errors);
        std::fclose(errors);
        QCOMPARE(failures.size(), 1);
        QCOMPARE(lines, failures);
        QVERIFY2(lines[0].contains(QDir::toNativeSeparators(dir.filePath(kName1))), qPrintable(lines[0]));
        QVERIFY(QFileInfo(dir.filePath(kName1)).isDir());
        QCOMPARE(readBytes(dir.filePath(kName1 + QStringLiteral("/inside"))), QByteArray("kept"));
        QCOMPARE(readBytes(dir.filePath(kName2)), QByteArray("Luis\r\n"));
    }

#ifdef Q_OS_UNIX
    // A read-only directory: both saves fail, both are tried, the old files stay
    // whole. Root writes anywhere, so the save runs as "nobody" in a child.
    void readOnlyDirectory()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath(kName1), "Ana\r\n");
        writeBytes(dir.filePath(kName2), "Luis\r\n");
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        std::FILE *errors = std::tmpfile();
        QStringList failures;
        const int code = runAsNobody([&] {
            failures = NameFiles(dir.path()).saveBoth(QStringLiteral("Other"), QStringLiteral("Names"), errors);
            return int(failures.size());
        });
        const QStringList lines = linesOf(errors);
        std::fclose(errors);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(code, 2);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].contains(kName1));
        QVERIFY(lines[1].contains(kName2));
        QCOMPARE(readBytes(dir.filePath(kName1)), QByteArray("Ana\r\n"));
        QCOMPARE(readBytes(dir.filePath(kName2)), QByteArray("Luis\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{kName1, kName2}));
    }

    // A file nobody may read gives no name; the other file still loads.
    void unreadableFile()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath(kName1), "Ana\r\n");
        writeBytes(dir.filePath(kName2), "Luis\r\n");
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                      | QFile::ReadOther | QFile::ExeOther));
        QVERIFY(QFile::setPermissions(dir.filePath(kName1), QFile::WriteOwner));
        QVERIFY(QFile::setPermissions(dir.filePath(kName2), QFile::ReadOwner | QFile::ReadOther));
        // 1: player1.txt gave no name; 2: player2.txt gave Luis.
        const int code = runAsNobody([&] {
            const NameFiles files(dir.path());
            return (files.load(kName1) ? 0 : 1) + (files.load(kName2) == std::optional<QString>(QStringLiteral("Luis")) ? 2 : 0);
        });
        QCOMPARE(code, 3);
    }

    // A link to nowhere in place of a name file gives no name. Saving writes
    // the file the link names; when that cannot be made, the save fails with
    // its reason and the link stays as it was.
    void danglingLink()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("elsewhere.txt")), dir.filePath(kName1)));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone/elsewhere.txt")), dir.filePath(kName2)));
        const NameFiles files(dir.path());
        QVERIFY(!files.load(kName1));
        QVERIFY(!files.load(kName2));
        QCOMPARE(files.save(kName1, QStringLiteral("Ana")), std::nullopt);
        QCOMPARE(files.load(kName1), std::optional<QString>(QStringLiteral("Ana")));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("elsewhere.txt"))), QByteArray("Ana\r\n"));
        const std::optional<QString> failure = files.save(kName2, QStringLiteral("Luis"));
        QVERIFY(failure.has_value());
        QVERIFY(!failure->isEmpty());
        QCOMPARE(QFileInfo(dir.filePath(kName2)).symLinkTarget(), dir.filePath(QStringLiteral("gone/elsewhere.txt")));
    }

    // A save cut off at any moment (the process killed, even between writing
    // the temporary file and renaming it over the name file) leaves the old
    // name or the new one whole, never a mix or a shortened file.
    void saveKilledAtAnyMoment()
    {
        QTemporaryDir dir;
        const QString nameA(40000, u'a');
        const QString nameB(30000, u'b');
        const QByteArray bytesA = encode(nameA);
        const QByteArray bytesB = encode(nameB);
        writeBytes(dir.filePath(kName1), bytesA);
        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("seed %u", seed);
        QRandomGenerator random(seed);
        int kills = 0;
        for (int round = 0; round < 60; ++round) {
            std::fflush(nullptr);
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                // Saves the two names in turn until it is killed.
                const NameFiles files(dir.path());
                for (int i = 0;; ++i)
                    files.save(kName1, i % 2 ? nameA : nameB);
            }
            usleep(random.bounded(200u, 3000u));
            kill(child, SIGKILL);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            kills += WIFSIGNALED(status);
            const QByteArray now = readBytes(dir.filePath(kName1));
            QVERIFY2(now == bytesA || now == bytesB,
                     qPrintable(QStringLiteral("round %1: %2 bytes").arg(round).arg(now.size())));
        }
        QCOMPARE(kills, 60);
        // Leftover temporary files from the killed saves do not disturb the next load and save.
        QVERIFY(NameFiles(dir.path()).load(kName1).has_value());
        QCOMPARE(NameFiles(dir.path()).save(kName1, QStringLiteral("Ana")), std::nullopt);
        QCOMPARE(readBytes(dir.filePath(kName1)), QByteArray("Ana\r\n"));
    }

    // The disk fills up while a name is written (a file size limit of 2 bytes,
    // which holds for root too): the old files stay whole, both saves are
    // tried, and no partial temporary file is left behind.
    void saveFailsHalfWay()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath(kName1), "Ana\r\n");
        writeBytes(dir.filePath(kName2), "Luis\r\n");
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = old;
        tight.rlim_cur = 2;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        // The limit holds for every file, so the errors go to memory.
        char *written = nullptr;
        std::size_t writtenSize = 0;
        std::FILE *errors = open_memstream(&written, &writtenSize);
        QVERIFY(errors);
        const QStringList failures =
            NameFiles(dir.path()).saveBoth(QStringLiteral("Margarita"), QStringLiteral("Bartolomé"), errors);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        std::fclose(errors);
        QStringList lines = QString::fromLocal8Bit(written, static_cast<qsizetype>(writtenSize)).split(u'\n');
        std::free(written);
        lines.removeAll(QString());
        QCOMPARE(lines, failures);
        QCOMPARE(failures.size(), 2);
        QVERIFY(failures[0].contains(kName1));
        QVERIFY(failures[1].contains(kName2));
        QCOMPARE(readBytes(dir.filePath(kName1)), QByteArray("Ana\r\n"));
        QCOMPARE(readBytes(dir.filePath(kName2)), QByteArray("Luis\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{kName1, kName2}));
    }

    // A pipe in place of a name file would block a reader for ever.
    void pipeInPlaceOfAFile()
    {
        QTemporaryDir dir;
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(kName1)).constData(), 0600), 0);
        QVERIFY(!NameFiles(dir.path()).load(kName1));
    }
#endif

    // A file of a gigabyte (sparse, so it costs no disk) is read only as far as
    // the bound: reading it whole would take seconds and a gigabyte of memory.
    void gigabyteFileIsReadOnlyToTheBound()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(kName1));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(qint64(1) << 30));
        file.close();
        QElapsedTimer clock;
        clock.start();
        const std::optional<QString> name = NameFiles(dir.path()).load(kName1);
        QVERIFY(name.has_value());
        QCOMPARE(name->size(), qsizetype(kMaxNameFileBytes));
        QCOMPARE(name->count(QChar(0)), qsizetype(kMaxNameFileBytes));
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    }

    // A huge file gives its first 64 KiB at once; binary bytes do no harm.
    void hugeFile()
    {
        QTemporaryDir dir;
        QByteArray bytes(4 * 1024 * 1024, '\0');
        for (qsizetype i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>((static_cast<unsigned>(i) * 7919u) & 0xffu);
        writeBytes(dir.filePath(kName1), bytes);
        const std::optional<QString> name = NameFiles(dir.path()).load(kName1);
        QVERIFY(name.has_value());
        QVERIFY(name->size() > 60000);
        QVERIFY(name->size() <= qsizetype(kMaxNameFileBytes));
        QCOMPARE(*name, decode(bytes.left(kMaxNameFileBytes)));
    }
};

QTEST_GUILESS_MAIN(TestNameFile)
#include "tst_namefile.moc"
