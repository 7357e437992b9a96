#include "ScreenBackground.h"

#include "viewport/SlotLayout.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <qdrawutil.h>

namespace {
constexpr QRect PictureRect { 0, 0, 1032, 718 };
// The frame round the viewport in the picture, its stroke included, and its
// corners, which keep their size as it grows.
constexpr QRect FramePlace { 62, 175, 671, 514 };
constexpr QMargins FrameCorners { 10, 10, 10, 10 };
// The ticks below the viewport: the first and the last, and the distance at
// which they repeat along a wider viewport, keeping long and short in turn.
constexpr int FirstTick = 70;
constexpr int LastTick = 720;
constexpr int TickRepeat = 600;
} // namespace

ScreenBackground::ScreenBackground(QWidget* parent)
    : QWidget(parent)
    , m_picture(new QSvgRenderer(QStringLiteral(":/artwork/background.svg"), this))
{
    setObjectName(QStringLiteral("Screen"));
    setMinimumSize(DesignSize);
    setStyleSheet(QStringLiteral(
        "QWidget { font-size: 11px; }"
        "QLabel { color: white; }"
        "QLabel[role=\"heading\"] { font-weight: bold; }"
        "QLabel[role=\"value\"] { color: #f4f1e8; background: rgba(255, 255, 255, 18); padding-left: 4px; }"
        "QLineEdit { background: white; color: black; border: 1px solid #8a8f98; padding: 0 3px; }"));
}

void ScreenBackground::SetLargePictureArea(bool on)
{
    m_large = on;
    Arrange();
}

void ScreenBackground::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Arrange();
}

// A control of the panel column is one whose place, less the offset it was
// given, lies in the column.
void ScreenBackground::Arrange()
{
    const WorkspaceLayout layout = LayOutWorkspace(size(), m_large);
    if (layout == m_layout)
        return;
    const QPoint shift(layout.PanelOffset - m_layout.PanelOffset, 0);
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->isWindow() && control->x() - m_layout.PanelOffset >= PanelColumnLeft)
            control->move(control->pos() + shift);
    }
    m_layout = layout;
    update();
    emit ViewportPlaced(layout.Box, layout.HorizontalBar, layout.VerticalBar);
}

void ScreenBackground::SetScreenColor(const QColor& color)
{
    m_color = color;
    ColorScrollArea();
    update();
}

bool ScreenBackground::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        ColorScrollArea();
    return QWidget::event(event);
}

// A scroll area shows its own background in the corner between its two
// scroll bars; that corner takes the screen colour.
void ScreenBackground::ColorScrollArea()
{
    QWidget* viewport = parentWidget();
    auto* area = viewport ? qobject_cast<QAbstractScrollArea*>(viewport->parentWidget()) : nullptr;
    if (!area || area->viewport() != viewport)
        return;
    for (QWidget* widget : { static_cast<QWidget*>(area), viewport }) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, m_color);
        widget->setPalette(palette);
        widget->setBackgroundRole(QPalette::Window);
        widget->setAutoFillBackground(true);
    }
}

void ScreenBackground::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    const QSize grown = m_layout.Box.size() - ViewportBox.size();
    if (grown.isNull())
        m_picture->render(&painter, PictureRect);
    else
        PaintGrownPicture(painter, grown);
}

void ScreenBackground::PaintGrownPicture(QPainter& painter, QSize grown)
{
    // A part drawn at its place, the header stretched across the width.
    const auto part = [this, &painter](const char* id, int wider = 0) {
        const QString name = QLatin1String(id);
        m_picture->render(&painter, name, m_picture->boundsOnElement(name).adjusted(0, 0, wider, 0));
    };
    part("header", m_layout.PanelOffset);
    part("fixed");
    if (m_frame.isNull() || m_frame.devicePixelRatio() != devicePixelRatioF()) {
        m_frame = QPixmap(FramePlace.size() * devicePixelRatioF());
        m_frame.setDevicePixelRatio(devicePixelRatioF());
        m_frame.fill(Qt::transparent);
        QPainter framePainter(&m_frame);
        framePainter.translate(-FramePlace.topLeft());
        m_picture->render(&framePainter, QStringLiteral("frame"), m_picture->boundsOnElement(QStringLiteral("frame")));
    }
    qDrawBorderPixmap(&painter, FramePlace.adjusted(0, 0, grown.width(), grown.height()), FrameCorners, m_frame);
    painter.save();
    painter.translate(m_layout.PanelOffset, 0);
    part("description");
    painter.restore();
    // Each copy of the ticks starts after the last tick of the one before,
    // so none is drawn twice.
    const int lastTick = LastTick + grown.width();
    for (int shift = 0; FirstTick + shift <= lastTick; shift += TickRepeat) {
        painter.save();
        const int from = shift == 0 ? 0 : LastTick + shift - TickRepeat + 1;
        painter.setClipRect(QRect(from, 0, lastTick + 1 - from, height()));
        painter.translate(shift, grown.height());
        part("ticks");
        painter.restore();
    }
}
