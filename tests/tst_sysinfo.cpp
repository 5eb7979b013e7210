// The System Information lookup against a fake system: a registry value's text, and every way to the program.
#include "shell/sysinfo.h"

#include <QTest>

using namespace quivara::shell;

namespace {

// A value as a system reports it: `bytes` at the start of a zeroed buffer, `size` of them counted.
RegistryRead value(std::uint32_t type, const std::string &bytes, std::uint32_t size, std::size_t buffer = kValueBufferSize,
                   RegistryRead::Status status = RegistryRead::Status::Read)
{
    RegistryRead read{status, type, std::vector<unsigned char>(buffer, 0), size};
    std::copy(bytes.begin(), bytes.end(), read.bytes.begin());
    return read;
}

RegistryRead text(const std::string &s, bool zero = true) { return value(kRegString, s, std::uint32_t(s.size() + zero)); }

// The two values, and the files that exist and start ("throw": the file test throws); every call is noted.
struct FakeSystem : System
{
    RegistryRead first, second;
    QStringList files, log;

    RegistryRead readValue(RootKey root, const std::string &key, const std::string &name, std::uint32_t size) override
    {
        const bool isFirst = key == kMsinfoKey && name == kMsinfoValue, isSecond = key == kLocationKey && name == kLocationValue;
        const bool fine = root == RootKey::LocalMachine && size == kValueBufferSize && (isFirst || isSecond);
        log << QString::fromLatin1(!fine ? "bad read" : isFirst ? "first" : "second");
        return isFirst ? first : second;
    }
    bool fileExists(const std::string &path) override
    {
        if (files.contains(u"throw"))
            throw std::runtime_error("no file test");
        log << QStringLiteral("exists ") + QString::fromStdString(path);
        return files.contains(QString::fromStdString(path));
    }
    bool startProgram(const std::string &path) override
    {
        log << QStringLiteral("start ") + QString::fromStdString(path);
        return files.contains(QString::fromStdString(path));
    }
    void showMessage(const std::string &message) override { log << QString::fromStdString(message); }
};

} // namespace

class TestSysInfo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // In the log "$E" is the first value's program, "$J" the second value's directory joined with its name.
    void startSysInfo_data()
    {
        QTest::addColumn<RegistryRead>("first");
        QTest::addColumn<RegistryRead>("second");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("log");
        const std::string exe = "C:\\Archivos de programa\\MSINFO32.EXE";
        const QStringList first{QString::fromStdString(exe)}, second{QStringLiteral("C:\\MS Info\\MSINFO32.EXE")};
        const RegistryRead none, dir = text("C:\\MS Info"), zeroBytes = value(kRegString, "", 0);
        const RegistryRead tooLong = value(0, "", 0, kValueBufferSize, RegistryRead::Status::ValueFailed);
        const QString secondStarted = QStringLiteral("first; second; exists $J; start $J");
        QTest::newRow("first value started unchecked") << text(exe) << none << first << "first; start $E";
        QTest::newRow("first value without its zero") << text(exe, false) << none << first << "first; start $E";
        QTest::newRow("first value a number") << value(kRegNumber, {"\xFF\x00\xAB\x12", 4}, 4) << none << first
                                              << "first; start &h12AB00FF; $M";
        QTest::newRow("first value filling the buffer") << text(std::string(1023, 'a')) << none << first
                                                        << QStringLiteral("first; start %1; $M").arg(QString(1023, u'a'));
        QTest::newRow("first value of another type") << value(2, "C:\\x", 5) << none << first << "first; start ; $M";
        QTest::newRow("first value does not start: no second try") << text(exe) << dir << second << "first; start $E; $M";
        QTest::newRow("first value too long: second value") << tooLong << dir << second << secondStarted;
        QTest::newRow("first value counted past 1024") << value(kRegString, exe, 1025, 2048) << dir << second << secondStarted;
        QTest::newRow("second value: the program in its directory") << none << dir << second << secondStarted;
        QTest::newRow("second value joined as it stands")
            << none << text("C:\\MS Info\\") << second << "first; second; exists C:\\MS Info\\\\MSINFO32.EXE; $M";
        QTest::newRow("no program in the directory") << none << dir << QStringList() << "first; second; exists $J; $M";
        QTest::newRow("file test fails") << none << dir << QStringList{QStringLiteral("throw")} << "first; second; $M";
        QTest::newRow("both values missing") << none << none << QStringList() << "first; second; $M";
        QTest::newRow("zero-byte first value") << zeroBytes << dir << second << "first; $M";
        QTest::newRow("zero-byte second value") << none << zeroBytes << second << "first; second; $M";
    }

    void startSysInfo()
    {
        QFETCH(QString, log);
        FakeSystem system;
        QFETCH(RegistryRead, first);
        QFETCH(RegistryRead, second);
        QFETCH(QStringList, files);
        system.first = first;
        system.second = second;
        system.files = files;
        quivara::shell::startSysInfo(system);
        log.replace(QStringLiteral("$E"), QStringLiteral("C:\\Archivos de programa\\MSINFO32.EXE"))
            .replace(QStringLiteral("$J"), QStringLiteral("C:\\MS Info\\MSINFO32.EXE"))
            .replace(QStringLiteral("$M"), QString::fromLatin1(kSysInfoUnavailable));
        QCOMPARE(system.log.join(QStringLiteral("; ")), log);
    }
};

QTEST_APPLESS_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"
