#pragma once

#include <QColor>
#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRectF>
#include <QStringList>

#include <functional>
#include <memory>

class QPainter;
class QPicture;

// A paint device that keeps what is drawn on it instead of pixels: every text, picture, rectangle, line and shape,
// where it stands on the device (the painter's transform applied) and in which colour, so that a test asserts what
// a drawing shows and where. Its resolution is a QPicture's, so a picture played on it keeps its units.
class PaintRecorder : public QPaintDevice {
public:
    struct Record {
        QString Kind; // "text", "image", "rect", "line" or "shape"
        QString Text;
        // A text's box (its font's ascent and descent high), a picture's target, a rectangle, a line from its
        // top-left to its bottom-right corner, a shape's bounding rectangle.
        QRectF Place;
        QSize Pixels; // a picture's own size
        QColor Colour; // the fill of a filled rectangle or shape, otherwise the pen's
        double PenWidth = 0; // on the device; 0 for a cosmetic pen or none
        QFont Font;
        QRectF Clip; // the clip's bounding rectangle on the device; null without one
        double Opacity = 1; // the painter's

        friend bool operator==(const Record&, const Record&) = default;
        friend char* toString(const Record& record) { return qstrdup(qPrintable(Shown(record))); }
    };

    // What a drawing routine paints, or a picture drawn in the device's units shows.
    explicit PaintRecorder(const std::function<void(QPainter&)>& draw);
    explicit PaintRecorder(const QPicture& picture);

    QList<Record> Records;

    [[nodiscard]] QList<Record> Of(const QString& kind) const; // in drawing order
    [[nodiscard]] QStringList Texts() const; // in drawing order
    // A record as a line, in whole units: "image 0,0 4898x3673 245x184", "rect 60,60 4778x3553 #505050 30" (its
    // pen's width last, when it has one), "line 840,13110 3840,13110 15", "text Smith 900,250 285 bold" (its
    // top-left corner and font's pixel size), "shape 10,10 20x20 #ff0000"; a picture drawn see-through "... 0.4".
    [[nodiscard]] static QString Shown(const Record& record);
    [[nodiscard]] static QStringList Shown(const QList<Record>& records);

    [[nodiscard]] QPaintEngine* paintEngine() const override { return m_engine.get(); }

protected:
    [[nodiscard]] int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<QPaintEngine> m_engine;
};
