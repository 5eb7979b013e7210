// SPDX-License-Identifier: GPL-3.0-or-later
// Texts read off controls, viewed as the rules' texts.
#pragma once

#include "rules/marking.h"

#include <QString>

#include <array>

namespace quivara::forms {

// The view borrows the string: keep the QString alive while the view is used.
inline rules::Text textView(const QString &s)
{
    return rules::Text(reinterpret_cast<const char16_t *>(s.utf16()), static_cast<std::size_t>(s.size()));
}

inline QString toQString(rules::Text t)
{
    return QString(reinterpret_cast<const QChar *>(t.data()), static_cast<qsizetype>(t.size()));
}

// Four texts in position order, held while the rules look at them.
struct FourTexts
{
    std::array<QString, 4> strings;

    rules::Four view() const
    {
        return {textView(strings[0]), textView(strings[1]), textView(strings[2]), textView(strings[3])};
    }
};

} // namespace quivara::forms
