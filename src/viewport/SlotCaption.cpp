#include "SlotCaption.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

SlotCaption::SlotCaption(QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    SetTextColor(m_textColor);
}

void SlotCaption::SetTextColor(const QColor& color)
{
    m_textColor = color;
    // Named, so that the colour stays off the tool tip, which Qt draws with
    // the style sheet of the widget it belongs to.
    setStyleSheet(QStringLiteral("SlotCaption { color: %1; }").arg(color.name()));
}

void SlotCaption::SetCaption(const QString& caption)
{
    setText(caption);
    UpdateToolTip();
}

QString SlotCaption::ShownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
}

void SlotCaption::UpdateToolTip()
{
    setToolTip(ShownText() == text() ? QString() : text());
}

void SlotCaption::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    style()->drawItemText(
        &painter, contentsRect(), int(alignment()), palette(), isEnabled(), ShownText(), foregroundRole());
}

void SlotCaption::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    UpdateToolTip();
}

// The style sheet sets the caption's font when the caption is polished, so
// the room the text needs can change after it was set.
void SlotCaption::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        UpdateToolTip();
}
