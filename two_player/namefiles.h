// The player name files beside the program: one name per file, one line ended by CR LF.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace quivara::two_player {

inline constexpr const char *kPlayer1File = "player1.txt";
inline constexpr const char *kPlayer2File = "player2.txt";

class NameFiles
{
public:
    // `directory` holds the files; besideProgram() in the program, a temporary one in tests.
    explicit NameFiles(QString directory);

    // The directory that holds the executable.
    static QString besideProgram();

    QString path(const QString &fileName) const;

    // The name `fileName` holds; no value when it cannot be opened (missing,
    // not a regular file, access refused). An opened file always gives a name,
    // the empty text too.
    std::optional<QString> load(const QString &fileName) const;

    // Writes `name` then CR LF to a temporary file in the same directory and
    // renames it over the old file, so a failed save leaves the old file whole.
    // Returns the reason of a failure, or no value on success.
    std::optional<QString> save(const QString &fileName, const QString &name) const;

    // Saves both names, each tried whatever happened to the other; every
    // failure is one line on `errors`. Returns those lines.
    QStringList saveBoth(const QString &player1, const QString &player2, std::FILE *errors = stderr) const;

private:
    QString m_directory;
};

} // namespace quivara::two_player
