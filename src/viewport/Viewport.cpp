#include "Viewport.h"

#include "PictureSurface.h"
#include "SlotLayout.h"
#include "ViewGeometry.h"
#include "common/NumberText.h"
#include "common/UserError.h"

#include <QScrollBar>

namespace {

constexpr QRect HorizontalBarPlace { 70, 662, 651, 17 };
constexpr QRect VerticalBarPlace { 704, 184, 20, 479 };
// Arrow and track clicks both move by this much.
constexpr int ScrollStep = 100;

QScrollBar* ScrollBar(Qt::Orientation orientation, QRect place, QWidget* parent)
{
    auto* bar = new QScrollBar(orientation, parent);
    bar->setGeometry(place);
    bar->setRange(0, 0);
    bar->setSingleStep(ScrollStep);
    bar->setPageStep(ScrollStep);
    bar->hide();
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
    PicArea->setStyleSheet(QStringLiteral("#PicArea { background: #15171a; }"));
    PicZoom = new PictureSurface(PicArea);
    PicZoom->SetDisplaySize(BoxSize());
    HS = ScrollBar(Qt::Horizontal, HorizontalBarPlace, window);
    VS = ScrollBar(Qt::Vertical, VerticalBarPlace, window);
    // With tracking on, a dragged thumb changes the value as it moves, so the
    // picture follows the thumb.
    connect(HS, &QScrollBar::valueChanged, this, &Viewport::HS_Change);
    connect(VS, &QScrollBar::valueChanged, this, &Viewport::VS_Change);
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
}

void Viewport::Zoom(bool zoomIn)
{
    if (PicZoom->DisplayedPath().isEmpty())
        return;
    // A refused step keeps the size.
    if (const std::optional<QSizeF> size = ZoomStepSize(PicZoom->DisplaySize(), zoomIn, BoxSize()))
        Render(*size);
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

void Viewport::HS_Change()
{
    PicZoom->move(-HS->value(), PicZoom->y());
}

void Viewport::VS_Change()
{
    PicZoom->move(PicZoom->x(), -VS->value());
}
