#include "DamageToolbar.h"

#include "DamageTypes.h"
#include "common/SvgIcon.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QToolButton>

namespace {

constexpr QSize PictureSize { 25, 16 };
constexpr QSize BackgroundSize { 57, 499 };

} // namespace

DamageToolbar::DamageToolbar(QWidget* parent)
    : QWidget(parent)
    , m_background(new QSvgRenderer(QStringLiteral(":/artwork/toolbar.svg"), this))
{
    for (const DamageType& type : DamageTypes) {
        auto* button = new QToolButton(this);
        button->setGeometry(150 / 15, type.TopTwips / 15, 440 / 15, 360 / 15);
        button->setToolTip(QString::fromLatin1(type.Name));
        button->setIcon(SvgIcon(DamagePicture(type.Number), PictureSize));
        button->setIconSize(PictureSize);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        const int number = type.Number;
        connect(button, &QToolButton::clicked, this, [this, number] { emit Clicked(number); });
        m_buttons[type.Number] = button;
    }
}

QToolButton* DamageToolbar::TBR(int number) const
{
    return number >= 0 && number < int(m_buttons.size()) ? m_buttons[number] : nullptr;
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
