// The System Information lookup against a fake system: a registry value's text, and every way to the program.
#include "shell/sysinfo.h"

#include <QTest>

using namespace quivara::shell;

namespace {

// A value as a system reports it: `bytes` at the start of a zeroed buffer, `size` of them counted.
RegistryRead value(std::uint32_t type, const std::string &bytes, std::uint32_t size, std::size_t buffer = kValueBufferSize)
{
    RegistryRead read{RegistryRead::Status::Read, type, std::vector<unsigned char>(buffer, 0), size};
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
    // In the log "$M" stands for the message.
    void startSysInfo_data()
    {
        QTest::addColumn<RegistryRead>("first");
        QTest::addColumn<RegistryRead>("second");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("log");
        const RegistryRead none, dir = text("C:\\D"), zeroBytes = value(kRegString, "", 0);
        const QStringList e{QStringLiteral("C:\\P.EXE")}, j{QStringLiteral("C:\\D\\MSINFO32.EXE")};
        QTest::newRow("first, unchecked") << text("C:\\P.EXE") << none << e << "first; start C:\\P.EXE";
        QTest::newRow("first without its zero, not started: no second try")
            << text("C:\\P.EXE", false) << dir << j << "first; start C:\\P.EXE; $M";
        QTest::newRow("first a number") << value(kRegNumber, {"\xFF\x00\xAB\x12", 4}, 4) << none << e << "first; start &h12AB00FF; $M";
        QTest::newRow("first filling the buffer") << text(std::string(1023, 'a')) << none << e
                                                  << QStringLiteral("first; start %1; $M").arg(QString(1023, u'a'));
        QTest::newRow("first of another type") << value(2, "C:\\x", 5) << none << e << "first; start ; $M";
        QTest::newRow("first too long: second") << RegistryRead{RegistryRead::Status::ValueFailed} << dir << j
                                                << "first; second; exists C:\\D\\MSINFO32.EXE; start C:\\D\\MSINFO32.EXE";
        QTest::newRow("first counted past 1024") << value(kRegString, "C:\\x", 1025, 2048) << dir << j
                                                 << "first; second; exists C:\\D\\MSINFO32.EXE; start C:\\D\\MSINFO32.EXE";
        QTest::newRow("second joined as it stands, no program")
            << none << text("C:\\D\\") << j << "first; second; exists C:\\D\\\\MSINFO32.EXE; $M";
        QTest::newRow("file test fails") << none << dir << QStringList{QStringLiteral("throw")} << "first; second; $M";
        QTest::newRow("both missing") << none << none << QStringList() << "first; second; $M";
        QTest::newRow("first of zero bytes: no second try") << zeroBytes << dir << j << "first; $M";
    }

    void startSysInfo()
    {
        FakeSystem system;
        QFETCH(QString, log);
        QFETCH(RegistryRead, first);
        QFETCH(RegistryRead, second);
        QFETCH(QStringList, files);
        system.first = first;
        system.second = second;
        system.files = files;
        quivara::shell::startSysInfo(system);
        QCOMPARE(system.log.join(QStringLiteral("; ")), log.replace(QStringLiteral("$M"), QString::fromLatin1(kSysInfoUnavailable)));
    }
};

QTEST_APPLESS_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"
