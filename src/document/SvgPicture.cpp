#include "SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>

SvgPicture::SvgPicture(const QString& resource, QWidget* parent)
    : QWidget(parent)
    , m_renderer(new QSvgRenderer(resource, this))
{
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_renderer->render(&painter, rect());
}
