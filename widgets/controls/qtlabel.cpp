#include "controls/qtlabel.h"

#include <QLabel>
#include <QLoggingCategory>

namespace calcaro {
namespace {

// Every caption the game shows, for whoever needs to know what the child saw (a support request,
// the tests of the Windows build): QT_LOGGING_RULES="calcaro.captions.debug=true".
Q_LOGGING_CATEGORY(captions, "calcaro.captions", QtWarningMsg)

} // namespace

QtLabel::QtLabel(QLabel &label, Sizing sizing) : m_label(label), m_sizing(sizing) {}

void QtLabel::setCaption(const QString &caption)
{
    const bool changed = caption != m_label.text();
    m_label.setText(caption);
    if (m_sizing == Sizing::AutoSize)
        m_label.resize(m_label.sizeHint().width(), m_label.height());
    if (!changed)
        return;
    qCDebug(captions).noquote() << m_label.objectName() << caption;
    if (m_changed)
        m_changed();
}

void QtLabel::setVisible(bool visible)
{
    m_label.setVisible(visible);
}

} // namespace calcaro
