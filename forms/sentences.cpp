// SPDX-License-Identifier: GPL-3.0-or-later
// The sentences a screen reader speaks after a row or a command, made from what the controls show.
#include "forms/sentences.h"

namespace quivara::forms {
namespace {

// "1 y 2", "1, 2 y 3": two items or more.
QString listed(const QStringList &items)
{
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" y ") + items.last();
}

// An empty status line is still news: it says so rather than nothing.
QString statusSaid(const QString &status)
{
    return status.isEmpty() ? QStringLiteral("Línea de estado vacía") : status;
}

// Sentences joined, the empty ones left out.
QString joined(QStringList parts)
{
    parts.removeAll(QString());
    return parts.join(QStringLiteral(". "));
}

} // namespace

QString rowMarks(int row, const std::array<QString, 4> &marks, const QString &player)
{
    QStringList groups;
    for (const QString &mark : {QStringLiteral("o"), QStringLiteral("x"), QString()}) {
        const QString said = mark.isEmpty() ? QStringLiteral("sin marca") : mark;
        QStringList positions;
        for (int p = 0; p < 4; ++p) {
            if (marks[p] == mark)
                positions << QString::number(p + 1);
        }
        if (positions.size() == 1)
            groups << said + QStringLiteral(" en la cifra ") + positions.first();
        else if (!positions.isEmpty())
            groups << said + QStringLiteral(" en las cifras ") + listed(positions);
    }
    const QString which = player.isEmpty() ? QStringLiteral("Fila %1, ").arg(row)
                                           : QStringLiteral("%1, fila %2, ").arg(player).arg(row);
    return which + groups.join(QStringLiteral(", "));
}

QString gamesWon(const QString &name, const QString &before, const QString &after)
{
    if (before == after)
        return {};
    return QStringLiteral("Partidas ganadas de %1: %2").arg(name, after);
}

QString afterRow(const QString &marks, const QString &statusBefore, const QString &statusAfter,
                 const QStringList &more)
{
    return joined(QStringList{marks, statusBefore == statusAfter ? QString() : statusSaid(statusAfter)} + more);
}

QString afterCommand(const QString &status, const QStringList &more)
{
    return joined(QStringList{statusSaid(status)} + more);
}

} // namespace quivara::forms
