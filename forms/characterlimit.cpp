// SPDX-License-Identifier: GPL-3.0-or-later
// Text fields limited to a number of whole characters, a surrogate pair (an emoji) being one.
#include "forms/characterlimit.h"

namespace quivara::forms {

std::optional<qsizetype> keptLength(QStringView text, qsizetype cursor, int limit)
{
    qsizetype units = 0;
    for (int characters = 0; characters < limit && units < text.size(); ++characters) {
        const bool pair = text[units].isHighSurrogate() && units + 1 < text.size() && text[units + 1].isLowSurrogate();
        units += pair ? 2 : 1;
    }
    if (units == text.size())
        return units;
    if (cursor < text.size())
        return std::nullopt;
    return units;
}

CharacterLimit::CharacterLimit(int limit, QObject *parent) : QValidator(parent), m_limit(limit) {}

QValidator::State CharacterLimit::validate(QString &input, int &pos) const
{
    const std::optional<qsizetype> kept = keptLength(input, pos, m_limit);
    if (!kept)
        return Invalid;
    input.truncate(*kept);
    pos = qMin(pos, static_cast<int>(*kept));
    return Acceptable;
}

} // namespace quivara::forms
