// SPDX-License-Identifier: GPL-3.0-or-later
// The screen reader's voice for outcomes that move no focus: a row's marks, a command's message.
#include "forms/announcer.h"

#include "forms/accessibility.h"

#include <QAccessible>
#include <QWidget>

#ifdef Q_OS_WASM
#include <emscripten/val.h>
#endif

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
#ifdef Q_OS_WIN
    // NVDA, JAWS and Narrator are not told of a shown object: Qt raises a UI Automation
    // notification, which they speak at once, for a value change that carries a text. Where
    // Windows lacks that call (before Windows 10 version 1709), Qt falls back to a value change.
    QAccessibleValueChangeEvent told(m_notice, sentence);
    QAccessible::updateAccessibility(&told);
#endif
#ifdef Q_OS_WASM
    // The browser's Qt tells screen readers nothing: the page keeps a live region, in which each
    // sentence is a new paragraph (so a sentence said twice is spoken twice).
    using emscripten::val;
    const val document = val::global("document");
    val region = document.call<val>("getElementById", val("avisos"));
    if (region.isNull())
        return;
    val paragraph = document.call<val>("createElement", val("p"));
    paragraph.set("textContent", val(sentence.toStdString()));
    region.call<void>("appendChild", paragraph);
#endif
}

} // namespace quivara::forms
