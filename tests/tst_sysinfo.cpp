// SPDX-License-Identifier: GPL-3.0-or-later
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

// The two values and the one program that exists and starts ("throw": the file test throws); every call is noted.
struct Fake : System
{
    Fake(RegistryRead first = {}, RegistryRead second = {}, std::string program = {})
        : first(std::move(first)), second(std::move(second)), program(std::move(program)) {}
    RegistryRead first, second;
    std::string program, log;

    RegistryRead readValue(RootKey root, const std::string &key, const std::string &name, std::uint32_t size) override
    {
        const bool isFirst = key == kMsinfoKey && name == kMsinfoValue, isSecond = key == kLocationKey && name == kLocationValue;
        const bool fine = root == RootKey::LocalMachine && size == kValueBufferSize && (isFirst || isSecond);
        log += !fine ? "bad read; " : isFirst ? "first; " : "second; ";
        return isFirst ? first : second;
    }
    bool fileExists(const std::string &path) override
    {
        if (program == "throw")
            throw std::runtime_error("no file test");
        log += "exists " + path + "; ";
        return path == program;
    }
    bool startProgram(const std::string &path) override
    {
        log += "start " + path + "; ";
        return path == program;
    }
    void showMessage(const std::string &message) override { log += message == kSysInfoUnavailable ? "message" : message; }
};

} // namespace

class TestSysInfo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startSysInfo_data()
    {
        QTest::addColumn<Fake>("system");
        QTest::addColumn<QString>("log");
        const RegistryRead dir = text("C:\\D");
        const std::string e = "C:\\P.EXE", j = "C:\\D\\MSINFO32.EXE";
        QTest::newRow("first, unchecked") << Fake(text(e), {}, e) << "first; start C:\\P.EXE; ";
        QTest::newRow("first without its zero, not started: no second try")
            << Fake(text(e, false), dir, j) << "first; start C:\\P.EXE; message";
        QTest::newRow("first a number") << Fake(value(kRegNumber, {"\xFF\x00\xAB\x12", 4}, 4)) << "first; start &h12AB00FF; message";
        QTest::newRow("first filling the buffer") << Fake(text(std::string(1023, 'a')))
                                                  << QStringLiteral("first; start %1; message").arg(QString(1023, u'a'));
        QTest::newRow("first of another type") << Fake(value(2, "C:\\x", 5), {}, e) << "first; start ; message";
        QTest::newRow("first too long: second") << Fake(RegistryRead{RegistryRead::Status::ValueFailed}, dir, j)
                                                << "first; second; exists C:\\D\\MSINFO32.EXE; start C:\\D\\MSINFO32.EXE; ";
        QTest::newRow("first counted past 1024") << Fake(value(kRegString, "C:\\x", 1025, 2048), dir, j)
                                                 << "first; second; exists C:\\D\\MSINFO32.EXE; start C:\\D\\MSINFO32.EXE; ";
        QTest::newRow("first counted past its buffer") << Fake(value(kRegString, "C:\\x", 9, 8), dir, j)
                                                   << "first; second; exists C:\\D\\MSINFO32.EXE; start C:\\D\\MSINFO32.EXE; ";
        QTest::newRow("second joined as it stands, no program")
            << Fake({}, text("C:\\D\\"), j) << "first; second; exists C:\\D\\\\MSINFO32.EXE; message";
        QTest::newRow("file test fails") << Fake({}, dir, "throw") << "first; second; message";
        QTest::newRow("both missing") << Fake() << "first; second; message";
        QTest::newRow("first of zero bytes: no second try") << Fake(value(kRegString, "", 0), dir, j) << "first; message";
    }

    void startSysInfo()
    {
        QFETCH(Fake, system);
        quivara::shell::startSysInfo(system);
        QTEST(QString::fromStdString(system.log), "log");
    }
};

QTEST_APPLESS_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"
