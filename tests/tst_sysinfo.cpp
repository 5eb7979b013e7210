// The System Information lookup against a fake system: value decoding and every way through the launcher.
#include "shell/sysinfo.h"

#include <QTest>

#include <map>
#include <set>
#include <stdexcept>
#include <utility>

using namespace quivara::shell;

namespace {

using Status = RegistryRead::Status;

std::string bytes(const char *text, std::size_t size) { return std::string(text, size); }

// A registry value as a fake system reports it: the buffer starts with `data`.
RegistryRead value(Status status, std::uint32_t type, const std::string &data, std::uint32_t reportedSize,
                   std::uint32_t bufferSize = kValueBufferSize)
{
    RegistryRead read;
    read.status = status;
    read.type = type;
    read.bytes.assign(bufferSize, 0);
    std::copy(data.begin(), data.end(), read.bytes.begin());
    read.size = reportedSize;
    return read;
}

RegistryRead text(const std::string &data, bool withZero)
{
    return value(Status::Read, kRegString, data, std::uint32_t(data.size() + (withZero ? 1 : 0)));
}

struct FakeSystem : System
{
    std::map<std::pair<std::string, std::string>, RegistryRead> values;
    std::set<std::string> files;
    bool startWorks = true;
    bool throwOnFileTest = false;

    std::vector<std::string> lookups; // "key|value", in the order asked
    std::vector<std::string> fileTests;
    std::vector<std::string> started;
    std::vector<std::string> messages;

    RegistryRead readValue(RootKey root, const std::string &keyName, const std::string &valueName,
                           std::uint32_t bufferSize) override
    {
        if (root != RootKey::LocalMachine || bufferSize != kValueBufferSize)
            throw std::logic_error("unexpected root key or buffer size");
        lookups.push_back(keyName + '|' + valueName);
        const auto it = values.find({keyName, valueName});
        return it == values.end() ? RegistryRead{} : it->second;
    }
    bool fileExists(const std::string &path) override
    {
        if (throwOnFileTest)
            throw std::runtime_error("file test failed");
        fileTests.push_back(path);
        return files.count(path) != 0;
    }
    bool startProgram(const std::string &path) override
    {
        if (!startWorks)
            return false;
        started.push_back(path);
        return true;
    }
    void showMessage(const std::string &message) override { messages.push_back(message); }
};

const std::string kFirst = std::string(kMsinfoKey) + '|' + kMsinfoValue;
const std::string kSecond = std::string(kLocationKey) + '|' + kLocationValue;

enum class Outcome { Found, NotFound, Thrown };

} // namespace

Q_DECLARE_METATYPE(RegistryRead)
Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(Outcome)

class TestSysInfo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void getKeyValue_data();
    void getKeyValue();
    void startSysInfo_data();
    void startSysInfo();
    void startSysInfoWhenAFileTestFails();
};

void TestSysInfo::getKeyValue_data()
{
    QTest::addColumn<RegistryRead>("read");
    QTest::addColumn<std::string>("passedIn");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<std::string>("keyVal");

    const std::string path = "C:\\Archivos de programa\\MSINFO32.EXE";
    QTest::newRow("string with its terminating zero") << text(path, true) << std::string("old") << Outcome::Found
                                                      << path;
    QTest::newRow("string without a terminating zero") << text(path, false) << std::string() << Outcome::Found
                                                       << path;
    QTest::newRow("only the last reported zero goes")
        << value(Status::Read, kRegString, bytes("ab\0\0", 4), 4) << std::string() << Outcome::Found
        << bytes("ab\0", 3);
    QTest::newRow("a zero inside stays") << value(Status::Read, kRegString, bytes("ab\0cd", 5), 5) << std::string()
                                         << Outcome::Found << bytes("ab\0cd", 5);
    QTest::newRow("only the reported bytes count") << value(Status::Read, kRegString, "abcdef", 3) << std::string()
                                                   << Outcome::Found << std::string("abc");
    QTest::newRow("a lone zero is the empty text") << value(Status::Read, kRegString, bytes("\0", 1), 1)
                                                   << std::string("old") << Outcome::Found << std::string();
    const std::string full(kValueBufferSize, 'a');
    QTest::newRow("a string filling the buffer") << text(full, false) << std::string() << Outcome::Found << full;
    QTest::newRow("zero bytes: an error, the text untouched")
        << value(Status::Read, kRegString, "", 0) << std::string("old") << Outcome::Thrown << std::string("old");
    QTest::newRow("zero-byte number: an error too")
        << value(Status::Read, kRegNumber, "", 0) << std::string("old") << Outcome::Thrown << std::string("old");
    QTest::newRow("key missing") << RegistryRead{} << std::string("old") << Outcome::NotFound << std::string();
    QTest::newRow("value missing or too long")
        << value(Status::ValueFailed, 0, "", 0) << std::string("old") << Outcome::NotFound << std::string();
    QTest::newRow("reported size beyond the buffer")
        << value(Status::Read, kRegString, "abc", 20, 10) << std::string("old") << Outcome::NotFound
        << std::string();
    // A system that hands back more than the 1024 bytes asked for: what lies past them was never read.
    QTest::newRow("reported size beyond 1024 in a longer buffer")
        << value(Status::Read, kRegString, std::string(1500, 'a'), 1500, 2048) << std::string("old")
        << Outcome::NotFound << std::string();

    // A 32-bit number: its bytes from the last to the first, two hex digits each.
    QTest::newRow("number 10, last zero dropped") << value(Status::Read, kRegNumber, bytes("\x0A\0\0\0", 4), 4)
                                                  << std::string() << Outcome::Found << std::string("&h00000A");
    QTest::newRow("number 0x1001 keeps its inner zeros")
        << value(Status::Read, kRegNumber, bytes("\x01\x10\0\0", 4), 4) << std::string() << Outcome::Found
        << std::string("&h001001");
    QTest::newRow("number 0x12AB00FF") << value(Status::Read, kRegNumber, bytes("\xFF\x00\xAB\x12", 4), 4)
                                       << std::string() << Outcome::Found << std::string("&h12AB00FF");
    QTest::newRow("number replaces what was passed in")
        << value(Status::Read, kRegNumber, bytes("\x05\x00\x00\x01", 4), 4) << std::string("C:\\x")
        << Outcome::Found << std::string("&h01000005");

    QTest::newRow("expandable string: passed-in text stays")
        << value(Status::Read, 2, "%SystemRoot%\\x.exe", 19) << std::string("keep") << Outcome::Found
        << std::string("keep");
    QTest::newRow("binary: passed-in text stays") << value(Status::Read, 3, "\x01\x02", 2) << std::string()
                                                  << Outcome::Found << std::string();
}

void TestSysInfo::getKeyValue()
{
    QFETCH(RegistryRead, read);
    QFETCH(std::string, passedIn);
    QFETCH(Outcome, outcome);
    QFETCH(std::string, keyVal);

    FakeSystem system;
    system.values[{"K", "V"}] = read;
    std::string result = passedIn;
    Outcome got = Outcome::Thrown;
    try {
        got = quivara::shell::getKeyValue(system, RootKey::LocalMachine, "K", "V", result) ? Outcome::Found
                                                                                              : Outcome::NotFound;
    } catch (const EmptyValueError &) {
    }
    QCOMPARE(got, outcome);
    QCOMPARE(QByteArray::fromStdString(result), QByteArray::fromStdString(keyVal));
}

void TestSysInfo::startSysInfo_data()
{
    QTest::addColumn<RegistryRead>("first");
    QTest::addColumn<RegistryRead>("second");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("startWorks");
    QTest::addColumn<QString>("started");   // empty: nothing
    QTest::addColumn<bool>("message");
    QTest::addColumn<QStringList>("fileTests");
    QTest::addColumn<bool>("secondAsked");

    const RegistryRead none;
    const std::string exe = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\MSINFO32.EXE";
    const QString exeQ = QString::fromStdString(exe);
    const std::string dir = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
    const QString joined = QString::fromStdString(dir) + QStringLiteral("\\MSINFO32.EXE");

    QTest::newRow("first value started as it stands, unchecked")
        << text(exe, true) << none << QStringList() << true << exeQ << false << QStringList() << false;
    QTest::newRow("first value wins over the second")
        << text(exe, false) << text(dir, true) << QStringList{joined} << true << exeQ << false << QStringList()
        << false;
    QTest::newRow("first value cannot be started") << text(exe, true) << text(dir, true) << QStringList{joined}
                                                   << false << QString() << true << QStringList() << false;
    QTest::newRow("second directory holds the program")
        << none << text(dir, true) << QStringList{joined} << true << joined << false << QStringList{joined} << true;
    QTest::newRow("second directory joined without a separator check")
        << none << text(dir + "\\", false) << QStringList{joined} << true << QString() << true
        << QStringList{joined.left(dir.size()) + QStringLiteral("\\\\MSINFO32.EXE")} << true;
    QTest::newRow("second directory without the program")
        << none << text(dir, true) << QStringList() << true << QString() << true << QStringList{joined} << true;
    QTest::newRow("second program cannot be started")
        << none << text(dir, true) << QStringList{joined} << false << QString() << true << QStringList{joined}
        << true;
    QTest::newRow("first value too long, second used")
        << value(Status::ValueFailed, 0, "", 0) << text(dir, true) << QStringList{joined} << true << joined << false
        << QStringList{joined} << true;
    QTest::newRow("both keys absent") << none << none << QStringList() << true << QString() << true << QStringList()
                                      << true;
    QTest::newRow("zero-byte first value: message, second not tried")
        << value(Status::Read, kRegString, "", 0) << text(dir, true) << QStringList{joined} << true << QString()
        << true << QStringList() << false;
    QTest::newRow("zero-byte second value") << none << value(Status::Read, kRegString, "", 0) << QStringList{joined}
                                            << true << QString() << true << QStringList() << true;
}

void TestSysInfo::startSysInfo()
{
    QFETCH(RegistryRead, first);
    QFETCH(RegistryRead, second);
    QFETCH(QStringList, files);
    QFETCH(bool, startWorks);
    QFETCH(QString, started);
    QFETCH(bool, message);
    QFETCH(QStringList, fileTests);
    QFETCH(bool, secondAsked);

    FakeSystem system;
    if (first.status != Status::KeyFailed)
        system.values[{kMsinfoKey, kMsinfoValue}] = first;
    if (second.status != Status::KeyFailed)
        system.values[{kLocationKey, kLocationValue}] = second;
    for (const QString &file : files)
        system.files.insert(file.toStdString());
    system.startWorks = startWorks;

    quivara::shell::startSysInfo(system);

    QStringList startedNow, testedNow;
    for (const std::string &s : system.started)
        startedNow << QString::fromStdString(s);
    for (const std::string &s : system.fileTests)
        testedNow << QString::fromStdString(s);
    QCOMPARE(startedNow, started.isNull() ? QStringList() : QStringList{started});
    QCOMPARE(testedNow, fileTests);
    const std::vector<std::string> expectedMessages =
        message ? std::vector<std::string>{kSysInfoUnavailable} : std::vector<std::string>{};
    QCOMPARE(system.messages, expectedMessages);
    std::vector<std::string> expectedLookups{kFirst};
    if (secondAsked)
        expectedLookups.push_back(kSecond);
    QCOMPARE(system.lookups, expectedLookups);
}

void TestSysInfo::startSysInfoWhenAFileTestFails()
{
    FakeSystem system;
    system.values[{kLocationKey, kLocationValue}] = text("C:\\x", true);
    system.throwOnFileTest = true;
    quivara::shell::startSysInfo(system);
    QVERIFY(system.started.empty());
    QCOMPARE(system.messages, std::vector<std::string>{kSysInfoUnavailable});
}

QTEST_APPLESS_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"
