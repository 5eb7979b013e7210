// Test helpers: rows and marks written as short strings.
#pragma once

#include "forms/texts.h"
#include "rules/marking.h"

#include <QString>

#include <array>

namespace quivara::testing {

// Four one-character texts from a four-character string; "_" stands for an empty text.
struct Row
{
    std::array<QString, 4> s;
    explicit Row(const QString &four)
    {
        for (int i = 0; i < 4; ++i)
            s[i] = four[i] == u'_' ? QString() : QString(four[i]);
    }
    rules::Four view() const
    {
        return {forms::textView(s[0]), forms::textView(s[1]), forms::textView(s[2]), forms::textView(s[3])};
    }
};

// Marks in position order: "o", "x" or "-" for no mark.
inline QString marksOf(const rules::Marks &marks)
{
    QString out;
    for (rules::Mark m : marks)
        out += m == rules::Mark::None ? QStringLiteral("-") : forms::toQString(rules::markText(m));
    return out;
}

} // namespace quivara::testing
