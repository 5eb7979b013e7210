// Test helpers: name files written and read back byte for byte.
#pragma once

#include "two_player/namefiles.h"

#include <QByteArray>
#include <QFile>
#include <QTest>

namespace quivara::testing {

inline const QString kName1 = QString::fromLatin1(two_player::kPlayer1File);
inline const QString kName2 = QString::fromLatin1(two_player::kPlayer2File);

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The file's bytes, or "<cannot open>".
inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("<cannot open>");
    return file.readAll();
}

} // namespace quivara::testing
