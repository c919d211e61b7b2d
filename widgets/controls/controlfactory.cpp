#include "controls/controlfactory.h"

#include <QLabel>
#include <QPushButton>

namespace calcaro {

QLabel *makeLabel(QWidget &parent, const QString &name, const QString &text, QRect place,
                  const QFont &font, Qt::Alignment alignment)
{
    auto *label = new QLabel(&parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setGeometry(place);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

QPushButton *makeButton(QWidget &parent, const QString &name, const QString &caption, QRect place,
                        const QFont &font)
{
    auto *button = new QPushButton(caption, &parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setFont(font);
    button->setAutoDefault(false);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return button;
}

} // namespace calcaro
