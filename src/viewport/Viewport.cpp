#include "Viewport.h"

#include "PictureSurface.h"
#include "ScrollBarStyle.h"
#include "SlotLayout.h"
#include "ViewGeometry.h"
#include "common/NumberText.h"
#include "common/UserError.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>
#include <utility>

namespace {

// Arrow and track clicks both move by this much.
constexpr int ScrollStep = 100;
// One notch of the mouse wheel scrolls this far.
constexpr int WheelStep = 60;

QScrollBar* ScrollBar(Qt::Orientation orientation, QRect place, QWidget* parent)
{
    auto* bar = new QScrollBar(orientation, parent);
    bar->setGeometry(place);
    bar->setRange(0, 0);
    bar->setSingleStep(ScrollStep);
    bar->setPageStep(ScrollStep);
    bar->hide();
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setStyleSheet(ScrollBarStyleSheet());
    return bar;
}

// One half of the scroll bar update: the bar shows exactly when the surface
// is larger than the box, and always starts at 0.
void UpdateBar(QScrollBar* bar, double box, double surface)
{
    bar->setValue(0);
    if (surface > box) {
        if (const std::optional<qint16> maximum = RoundToInt16(surface - box))
            bar->setMaximum(*maximum);
        bar->setEnabled(true);
        bar->show();
    } else {
        bar->hide();
        bar->setEnabled(false);
    }
}

} // namespace

Viewport::Viewport(QWidget* window, std::function<void()> positionObjects)
    : QObject(window)
    , m_positionObjects(std::move(positionObjects))
{
    PicArea = new QWidget(window);
    PicArea->setObjectName(QStringLiteral("PicArea"));
    PicArea->setGeometry(ViewportBox);
    PicArea->setAttribute(Qt::WA_StyledBackground);
    // A click on the picture takes the focus out of the text fields, so
    // that the keys act on the picture and its markers.
    PicArea->setFocusPolicy(Qt::ClickFocus);
    PicArea->setStyleSheet(QStringLiteral("#PicArea { background: #15171a; }"));
    // With the focus here the keys act on the picture: a screen reader says which.
    PicArea->setAccessibleName(QStringLiteral("Picture area"));
    PicArea->setAccessibleDescription(QStringLiteral(
        "Page Up and Page Down show the other pictures; the arrow keys move the selected marker, Delete removes it"));
    PicZoom = new PictureSurface(PicArea);
    PicZoom->SetDisplaySize(BoxSize());
    PicZoom->setObjectName(QStringLiteral("PicZoom"));
    PicZoom->setAccessibleName(QStringLiteral("Picture"));
    HS = ScrollBar(Qt::Horizontal, HorizontalBarPlace, window);
    HS->setObjectName(QStringLiteral("HS"));
    VS = ScrollBar(Qt::Vertical, VerticalBarPlace, window);
    VS->setObjectName(QStringLiteral("VS"));
    // With tracking on, a dragged thumb changes the value as it moves, so the
    // picture follows the thumb.
    connect(HS, &QScrollBar::valueChanged, this, &Viewport::HS_Change);
    connect(VS, &QScrollBar::valueChanged, this, &Viewport::VS_Change);
    connect(PicZoom, &PictureSurface::Dragged, this, &Viewport::Pan);
    PicArea->installEventFilter(this);
}

QSizeF Viewport::BoxSize() const
{
    return QSizeF(PicArea->size());
}

void Viewport::ScaleToFit()
{
    if (PicZoom->DisplayedPath().isEmpty())
        return; // nothing to fit
    PicZoom->move(0, 0);
    Render(FitSize(PicZoom->NaturalSize(), BoxSize()));
    m_fitted = true;
}

void Viewport::ActualSize()
{
    const QSizeF natural = PicZoom->NaturalSize();
    if (PicZoom->DisplayedPath().isEmpty() || PicZoom->DisplaySize() == natural)
        return;
    if (!FitsScrollRange(natural, BoxSize())) {
        throw UserError(QStringLiteral("The picture is too large to show at its actual size (%1 x %2 pixels).")
                            .arg(natural.width())
                            .arg(natural.height()));
    }
    PicZoom->move(0, 0);
    Render(natural);
    m_fitted = false;
}

void Viewport::Zoom(bool zoomIn)
{
    if (PicZoom->DisplayedPath().isEmpty())
        return;
    // A refused step keeps the size.
    if (const std::optional<QSizeF> size = ZoomStepSize(PicZoom->DisplaySize(), zoomIn, BoxSize())) {
        Render(*size);
        m_fitted = false;
    }
}

void Viewport::ZoomAbout(bool zoomIn, QPointF boxPosition)
{
    if (PicZoom->DisplayedPath().isEmpty())
        return;
    const QSizeF before = PicZoom->DisplaySize();
    const std::optional<QSizeF> size = ZoomStepSize(before, zoomIn, BoxSize());
    if (!size)
        return;
    const QPointF onSurface = boxPosition - QPointF(PicZoom->pos());
    Render(*size);
    m_fitted = false;
    const QPointF after(
        onSurface.x() * size->width() / before.width(), onSurface.y() * size->height() / before.height());
    const QPointF scroll = after - boxPosition;
    HS->setValue(int(std::lround(scroll.x())));
    VS->setValue(int(std::lround(scroll.y())));
}

bool Viewport::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != PicArea || event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const QPoint delta = wheel->angleDelta();
    if (wheel->modifiers() & Qt::ControlModifier) {
        if (delta.y() != 0)
            ZoomAbout(delta.y() > 0, wheel->position());
        return true;
    }
    // A notch of the wheel scrolls by WheelStep pixels; Shift turns it sideways.
    const bool sideways = (wheel->modifiers() & Qt::ShiftModifier) || delta.y() == 0;
    const int notches = sideways && delta.y() != 0 ? delta.y() : (sideways ? delta.x() : delta.y());
    QScrollBar* bar = sideways ? HS : VS;
    if (bar->isVisible())
        bar->setValue(bar->value() - notches * WheelStep / 120);
    return true;
}

void Viewport::Pan(QPoint distance)
{
    if (HS->isVisible())
        HS->setValue(HS->value() - distance.x());
    if (VS->isVisible())
        VS->setValue(VS->value() - distance.y());
}

void Viewport::Render(QSizeF size)
{
    PicZoom->SetDisplaySize(size);
    m_positionObjects();
    UpdateScrollBars();
}

void Viewport::UpdateScrollBars()
{
    UpdateBar(HS, BoxSize().width(), PicZoom->SurfaceWidth());
    UpdateBar(VS, BoxSize().height(), PicZoom->SurfaceHeight());
}

void Viewport::Clear()
{
    PicZoom->Clear();
    PicZoom->move(0, 0);
    PicZoom->SetDisplaySize(BoxSize());
    UpdateScrollBars();
}

void Viewport::Place(QRect box, QRect horizontalBar, QRect verticalBar)
{
    HS->setGeometry(horizontalBar);
    VS->setGeometry(verticalBar);
    if (box == PicArea->geometry())
        return;
    PicArea->setGeometry(box);
    if (PicZoom->DisplayedPath().isEmpty()) {
        PicZoom->SetDisplaySize(BoxSize());
    } else if (m_fitted) {
        ScaleToFit();
    } else {
        const QPoint scrolled(HS->value(), VS->value());
        UpdateScrollBars();
        for (const auto& [bar, value] : { std::pair(HS, scrolled.x()), std::pair(VS, scrolled.y()) }) {
            if (!bar->isHidden())
                bar->setValue(value);
        }
    }
}

void Viewport::HS_Change()
{
    PicZoom->move(-HS->value(), PicZoom->y());
}

void Viewport::VS_Change()
{
    PicZoom->move(PicZoom->x(), -VS->value());
}
