#include "screenreader/accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace calcaro {
namespace {

const char roleProperty[] = "calcaroAccessibleRole";
const char quietProperty[] = "calcaroQuietValue";

QAccessibleInterface *withRole(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    const QVariant role = widget->property(roleProperty);
    if (!role.isValid())
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Role(role.toInt()));
}

QAccessible::UpdateHandler &previousHandler()
{
    static QAccessible::UpdateHandler handler = nullptr;
    return handler;
}

// Every accessibility event of the program passes here; the value changes of the quiet widgets
// stop, the others go on as they would without this handler.
void filter(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::ValueChanged && event->object() &&
        event->object()->property(quietProperty).toBool())
        return;
    if (QAccessible::UpdateHandler previous = previousHandler()) {
        previous(event);
        return;
    }
    // Without a handler, Qt hands the event to the platform's accessibility.
    QAccessible::UpdateHandler self = QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(self);
}

} // namespace

void setAccessibleRole(QWidget &widget, QAccessible::Role role)
{
    static const bool installed = (QAccessible::installFactory(&withRole), true);
    Q_UNUSED(installed);
    widget.setProperty(roleProperty, int(role));
}

void keepValueChangesQuiet(QWidget &widget)
{
    static const bool installed =
        (previousHandler() = QAccessible::installUpdateHandler(&filter), true);
    Q_UNUSED(installed);
    widget.setProperty(quietProperty, true);
}

} // namespace calcaro
