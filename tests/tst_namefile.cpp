// The player name files: the byte codec, and loading and saving through a real directory.
#include "two_player/namecodec.h"
#include "two_player/namefiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
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

const QString kName1 = QString::fromLatin1(kPlayer1File);
const QString kName2 = QString::fromLatin1(kPlayer2File);

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("<cannot open>");
    return file.readAll();
}

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
    // A read-only directory: both saves fail, both are tried, the old files stay whole.
    void readOnlyDirectory()
    {
        if (geteuid() == 0)
            QSKIP("root writes into read-only directories; saveFailsHalfWay covers a failed save for root");
        QTemporaryDir dir;
        writeBytes(dir.filePath(kName1), "Ana\r\n");
        writeBytes(dir.filePath(kName2), "Luis\r\n");
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        std::FILE *errors = std::tmpfile();
        const QStringList failures =
            NameFiles(dir.path()).saveBoth(QStringLiteral("Other"), QStringLiteral("Names"), errors);
        const QStringList lines = linesOf(errors);
        std::fclose(errors);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(failures.size(), 2);
        QCOMPARE(lines, failures);
        QVERIFY(lines[0].contains(kName1));
        QVERIFY(lines[1].contains(kName2));
        QCOMPARE(readBytes(dir.filePath(kName1)), QByteArray("Ana\r\n"));
        QCOMPARE(readBytes(dir.filePath(kName2)), QByteArray("Luis\r\n"));
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
