// SPDX-License-Identifier: GPL-3.0-or-later
// The screen reader's voice for outcomes that move no focus: a row's marks, a command's message.
#include "forms/announcer.h"

#include "forms/accessibility.h"
#include "platform/platform.h"

#include <QAccessible>
#include <QWidget>

namespace quivara::forms {

Announcer::Announcer(QWidget *window) : m_notice(new QWidget)
{
    // Its accessible role is settled when it gets a parent, so it is marked first.
    markNotification(m_notice);
    m_notice->setObjectName(QStringLiteral("announcer"));
    m_notice->setParent(window);
    m_notice->hide();
}

void Announcer::say(const QString &sentence) const
{
    // Orca speaks a notification when it is shown, even one no one can see.
    m_notice->setAccessibleName(sentence);
    QAccessibleEvent shown(m_notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    platform::current().announce(m_notice, sentence);
}

} // namespace quivara::forms
