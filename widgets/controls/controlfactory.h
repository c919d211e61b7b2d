#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace calcaro {

// Builds the controls of the windows' fixed layouts, each named for tests and accessibility.
QLabel *makeLabel(QWidget &parent, const QString &name, const QString &text, QRect place,
                  const QFont &font, Qt::Alignment alignment);
QPushButton *makeButton(QWidget &parent, const QString &name, const QString &caption, QRect place,
                        const QFont &font);
// A screen reader calls a button by its caption without the access-key mark.

} // namespace calcaro
