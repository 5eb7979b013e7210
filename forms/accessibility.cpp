// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told about the controls of the game's forms.
#include "forms/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QWidget>

namespace quivara::forms {
namespace {

constexpr char kReadoutProperty[] = "quivaraReadout";
constexpr char kReadoutNameProperty[] = "quivaraReadoutName";
constexpr char kFormProperty[] = "quivaraForm";
constexpr char kNotificationProperty[] = "quivaraNotification";

// A label as a screen reader meets it: name and text together, nothing while hidden.
class ReadoutAccessible : public QAccessibleWidget
{
public:
    explicit ReadoutAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (widget()->isHidden())
            return {};
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString name = widget()->property(kReadoutNameProperty).toString();
        const auto *label = qobject_cast<const QLabel *>(widget());
        const QString shown = label ? label->text() : QString();
        if (name.isEmpty())
            return shown;
        return shown.isEmpty() ? name : name + QStringLiteral(": ") + shown;
    }
};

// A form's client area listing only the controls that are not hidden.
class FormAccessible : public QAccessibleWidget
{
public:
    explicit FormAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::Client) {}

    int childCount() const override { return int(shownChildren().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> children = shownChildren();
        if (index < 0 || index >= children.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(children.at(index));
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        return int(shownChildren().indexOf(qobject_cast<QWidget *>(child->object())));
    }

private:
    QList<QWidget *> shownChildren() const
    {
        QList<QWidget *> shown;
        for (QWidget *w : widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!w->isWindow() && !w->isHidden())
                shown.append(w);
        }
        return shown;
    }
};

QAccessibleInterface *formsFactory(const QString &className, QObject *object)
{
    auto *w = qobject_cast<QWidget *>(object);
    if (!w)
        return nullptr;
    if (className == QLatin1String("QLabel") && w->property(kReadoutProperty).toBool())
        return new ReadoutAccessible(w);
    if (className == QLatin1String("QWidget") && w->property(kFormProperty).toBool())
        return new FormAccessible(w);
    if (className == QLatin1String("QWidget") && w->property(kNotificationProperty).toBool())
        return new QAccessibleWidget(w, QAccessible::Notification);
    return nullptr;
}

void installFactoryOnce()
{
    static const bool installed = [] {
        QAccessible::installFactory(formsFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QString withPlayer(const QString &player, const QString &rest)
{
    if (player.isEmpty())
        return rest.left(1).toUpper() + rest.mid(1);
    return player + QStringLiteral(", ") + rest;
}

} // namespace

void setAccessibleName(QWidget *control, const QString &name)
{
    if (control->property(kReadoutProperty).toBool())
        control->setProperty(kReadoutNameProperty, name);
    else
        control->setAccessibleName(name);
}

void markReadout(QWidget *label)
{
    installFactoryOnce();
    label->setProperty(kReadoutProperty, true);
}

void markForm(QWidget *client)
{
    installFactoryOnce();
    client->setProperty(kFormProperty, true);
}

void markNotification(QWidget *widget)
{
    installFactoryOnce();
    widget->setProperty(kNotificationProperty, true);
}

QString digitFieldName(int row, int position, const QString &player)
{
    return withPlayer(player, QStringLiteral("fila %1, cifra %2").arg(row).arg(position));
}

QString markCellName(int row, int position, const QString &player)
{
    return withPlayer(player, QStringLiteral("fila %1, marca de la cifra %2").arg(row).arg(position));
}

QString rowButtonName(int row, const QString &player)
{
    return withPlayer(player, QStringLiteral("comprobar fila %1").arg(row));
}

} // namespace quivara::forms
