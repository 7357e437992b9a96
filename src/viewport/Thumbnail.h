#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

// One thumbnail of the strip (IMG). Shows the whole picture scaled into its
// box, or a placeholder naming why the picture cannot be shown. Its tag is
// the picture's full path, empty for an empty slot.
class Thumbnail : public QWidget {
    Q_OBJECT

public:
    explicit Thumbnail(QWidget* parent = nullptr);

    QString Tag;

    void SetPicture(const QImage& picture);
    void SetPlaceholder(const QString& text);
    void ClearPicture();

    [[nodiscard]] bool HasPicture() const { return !m_picture.isNull(); }

signals:
    // button: 1 left, 2 right, 4 middle.
    void Pressed(int button, QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    QString m_placeholder;
};
