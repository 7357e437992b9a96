#pragma once

#include <QString>
#include <QWidget>

class QSvgRenderer;

// A picture box showing a vector picture stretched over its whole area.
class SvgPicture : public QWidget {
    Q_OBJECT

public:
    SvgPicture(const QString& resource, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* m_renderer;
};
