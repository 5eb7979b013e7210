// SPDX-License-Identifier: GPL-3.0-or-later
// The player name files, beside the program or in the user's data directory.
#include "two_player/namefiles.h"

#include "platform/platform.h"
#include "two_player/namecodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <string>

namespace quivara::two_player {

namespace {

// The name `filePath` holds, when it is a regular file that opens.
std::optional<QString> loadFile(const QString &filePath)
{
    // A directory, pipe or device in the file's place is no name file; a pipe could block for ever.
    if (!QFileInfo(filePath).isFile())
        return std::nullopt;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxNameFileBytes));
    const std::u16string name = decodeName(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                           platform::current().ansiCodePage());
    return QString(reinterpret_cast<const QChar *>(name.data()), static_cast<qsizetype>(name.size()));
}

} // namespace

NamePlaces choosePlaces(bool programDirWritable, const QString &programDir, const QString &dataDir)
{
    if (programDirWritable || dataDir.isEmpty())
        return {programDir, {programDir}, false};
    return {dataDir, {dataDir, programDir}, true};
}

NamePlaces placesForThisUser()
{
    const QString program = NameFiles::besideProgram();
    return choosePlaces(directoryWritable(program), program,
                        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

bool directoryWritable(const QString &directory)
{
    if (!QFileInfo(directory).isDir())
        return false;
    return platform::current().canCreateFilesIn(directory);
}

NameFiles::NameFiles(QString directory) : m_places{directory, {directory}, false} {}

NameFiles::NameFiles(NamePlaces places) : m_places(std::move(places)) {}

QString NameFiles::besideProgram()
{
    return QCoreApplication::applicationDirPath();
}

QString NameFiles::path(const QString &fileName) const
{
    return QDir(m_places.saveDirectory).filePath(fileName);
}

std::optional<QString> NameFiles::load(const QString &fileName) const
{
    for (const QString &directory : m_places.loadDirectories) {
        if (std::optional<QString> name = loadFile(QDir(directory).filePath(fileName)))
            return name;
    }
    return std::nullopt;
}

std::optional<QString> NameFiles::save(const QString &fileName, const QString &name) const
{
    const std::string bytes = encodeName(std::u16string_view(reinterpret_cast<const char16_t *>(name.utf16()),
                                                             static_cast<std::size_t>(name.size())),
                                         platform::current().ansiCodePage());
    if (m_places.createSaveDirectory && !QDir().mkpath(m_places.saveDirectory))
        return QStringLiteral("cannot create the directory");
    QSaveFile file(path(fileName));
    // Unbuffered: a buffered write that fails is flushed only inside commit(),
    // which then renames the shortened file over the old one and reports success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    for (std::size_t done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.data() + done, static_cast<qint64>(bytes.size() - done));
        if (written <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return reason;
        }
        done += static_cast<std::size_t>(written);
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

QStringList NameFiles::saveBoth(const QString &player1, const QString &player2, std::FILE *errors) const
{
    QStringList failures;
    const std::pair<const char *, const QString *> files[] = {{kPlayer1File, &player1}, {kPlayer2File, &player2}};
    for (const auto &[fileName, name] : files) {
        const QString file = QString::fromLatin1(fileName);
        if (const std::optional<QString> reason = save(file, *name)) {
            const QString line = QStringLiteral("quivara: could not save %1: %2").arg(QDir::toNativeSeparators(path(file)), *reason);
            failures.append(line);
            std::fprintf(errors, "%s\n", line.toLocal8Bit().constData());
            std::fflush(errors);
        }
    }
    platform::current().keepSavedFiles();
    return failures;
}

} // namespace quivara::two_player
