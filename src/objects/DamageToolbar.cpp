#include "DamageToolbar.h"

#include "DamageTypes.h"
#include "common/SvgIcon.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QToolButton>

#include <array>

namespace {

constexpr QSize PictureSize { 25, 16 };
constexpr QSize BackgroundSize { 57, 499 };
constexpr QSize ZoomPictureSize { 22, 22 };

struct ZoomButtonPlace {
    const char* Name;
    const char* ToolTip;
    const char* Picture;
    int Top;
    DamageToolbar::ZoomButton Button;
};

// The zoom buttons stand below the damage types.
constexpr std::array<ZoomButtonPlace, 4> ZoomButtonPlaces = { {
    { "cmdZoomIn", "Zoom In", ":/artwork/zoom-in.svg", 328, DamageToolbar::ZoomButton::In },
    { "cmdZoomOut", "Zoom Out", ":/artwork/zoom-out.svg", 360, DamageToolbar::ZoomButton::Out },
    { "CmdActual", "Actual Size", ":/artwork/zoom-actual.svg", 408, DamageToolbar::ZoomButton::Actual },
    { "cmdScaleToFit", "Scale to Fit", ":/artwork/zoom-fit.svg", 440, DamageToolbar::ZoomButton::Fit },
} };

QToolButton* PictureButton(const QString& picture, QSize pictureSize, const QString& toolTip, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setToolTip(toolTip);
    // A button shows only a picture: a screen reader says what the tool tip says.
    button->setAccessibleName(toolTip);
    button->setIcon(SvgIcon(picture, pictureSize));
    button->setIconSize(pictureSize);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

DamageToolbar::DamageToolbar(QWidget* parent)
    : QWidget(parent)
    , m_background(new QSvgRenderer(QStringLiteral(":/artwork/toolbar.svg"), this))
{
    // Under the pointer a button takes an amber edge round a slightly darker
    // well, pressed a deeper one: the light pictures of the zoom buttons
    // would vanish on the style's own white raised look.
    setStyleSheet(
        QStringLiteral("QToolButton { background: transparent; border: 1px solid transparent; border-radius: 3px; }"
                       "QToolButton:hover { background: rgba(0, 0, 0, 50); border-color: rgba(224, 160, 64, 190); }"
                       "QToolButton:pressed { background: rgba(0, 0, 0, 110); border-color: #e0a040; }"));
    for (const DamageType& type : DamageTypes) {
        auto* button = PictureButton(DamagePicture(type.Number), PictureSize, QString::fromLatin1(type.Name), this);
        button->setGeometry(150 / 15, type.TopTwips / 15, 440 / 15, 360 / 15);
        button->setObjectName(QStringLiteral("TBR%1").arg(type.Number));
        button->setAccessibleDescription(QStringLiteral("Adds a marker of this type to the picture"));
        const int number = type.Number;
        connect(button, &QToolButton::clicked, this, [this, number] { emit Clicked(number); });
    }
    AddZoomButtons();
}

void DamageToolbar::AddZoomButtons()
{
    for (const ZoomButtonPlace& place : ZoomButtonPlaces) {
        auto* button = PictureButton(
            QString::fromLatin1(place.Picture), ZoomPictureSize, QString::fromLatin1(place.ToolTip), this);
        button->setGeometry(8, place.Top, 32, 29);
        button->setObjectName(QString::fromLatin1(place.Name));
        const ZoomButton which = place.Button;
        connect(button, &QToolButton::clicked, this, [this, which] { emit ZoomClicked(which); });
    }
}

void DamageToolbar::SetToolbarColor(const QColor& color)
{
    m_color = color;
    update();
}

void DamageToolbar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    m_background->render(&painter, QRectF(QPointF(0, 0), BackgroundSize));
}
