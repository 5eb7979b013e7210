// SPDX-License-Identifier: GPL-3.0-or-later
// The player name files: one name per file, one line ended by CR LF, beside the program or in the user's data directory.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace quivara::two_player {

inline constexpr const char *kPlayer1File = "player1.txt";
inline constexpr const char *kPlayer2File = "player2.txt";

// Where the name files are read and written.
struct NamePlaces
{
    QString saveDirectory;           // both files are written here
    QStringList loadDirectories;     // each file is read from the first of these where it opens
    bool createSaveDirectory = false; // made (with its parents) when the names are saved

    friend bool operator==(const NamePlaces &, const NamePlaces &) = default;
};

// Beside the program while its directory can be written, exactly as always.
// Otherwise (an installed package in /usr/bin) the names are written to the
// user's data directory `dataDir`, created on the first save; each file is
// read from there when the user has saved one, else from beside the program,
// so a name file shipped or left beside a read-only program still counts
// until the user saves their own. Without a data directory the names stay
// beside the program (and a save there reports its failure).
NamePlaces choosePlaces(bool programDirWritable, const QString &programDir, const QString &dataDir);

// This user's places: the program's directory and Qt's application data location.
NamePlaces placesForThisUser();

// Whether files can be created in `directory` by this process.
bool directoryWritable(const QString &directory);

class NameFiles
{
public:
    // `directory` holds the files, for reading and writing.
    explicit NameFiles(QString directory);
    explicit NameFiles(NamePlaces places);

    // The directory that holds the executable.
    static QString besideProgram();

    const NamePlaces &places() const { return m_places; }

    // Where `fileName` is saved.
    QString path(const QString &fileName) const;

    // The name `fileName` holds in the first load directory where it opens; no
    // value when it opens nowhere (missing, not a regular file, access
    // refused). An opened file always gives a name, the empty text too.
    std::optional<QString> load(const QString &fileName) const;

    // Writes `name` then CR LF to a temporary file in the same directory and
    // renames it over the old file, so a failed save leaves the old file whole.
    // Returns the reason of a failure, or no value on success.
    std::optional<QString> save(const QString &fileName, const QString &name) const;

    // Saves both names, each tried whatever happened to the other; every
    // failure is one line on `errors`. Returns those lines.
    QStringList saveBoth(const QString &player1, const QString &player2, std::FILE *errors = stderr) const;

private:
    NamePlaces m_places;
};

} // namespace quivara::two_player
