// SPDX-License-Identifier: GPL-3.0-or-later
// Text fields limited to a number of whole characters, a surrogate pair (an emoji) being one.
#pragma once

#include <QStringView>
#include <QValidator>

#include <optional>

namespace quivara::forms {

// The number of UTF-16 code units a field limited to `limit` characters keeps
// of `text` after an edit left the cursor at `cursor`: all of it when it holds
// no more than `limit` characters; its first `limit` characters when nothing
// stands after the cursor (a paste into an empty field, typing at its end);
// otherwise no value: the edit is refused, as a full field refuses a key.
std::optional<qsizetype> keptLength(QStringView text, qsizetype cursor, int limit);

// Applies keptLength to a line edit. The field's own maximum length counts code
// units and would cut an emoji in half, so the field gets 2 x limit of them
// and this validator trims to whole characters.
class CharacterLimit : public QValidator
{
public:
    explicit CharacterLimit(int limit, QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;

    // The code units a field needs for `limit` characters.
    static int unitsFor(int limit) { return 2 * limit; }

private:
    int m_limit;
};

} // namespace quivara::forms
