#include "SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>

SvgPicture::SvgPicture(const QString& resource, QWidget* parent)
    : QWidget(parent)
    , m_renderer(new QSvgRenderer(resource, this))
{
    // Artwork only: the mouse passes through it, and nothing in it is a control.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_renderer->render(&painter, rect());
}
