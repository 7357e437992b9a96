#include "PaintRecorder.h"

#include <QPainter>
#include <QPainterPath>
#include <QPicture>

#include <cmath>

namespace {

using Record = PaintRecorder::Record;

class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(QList<Record>& records)
        : QPaintEngine(AllFeatures)
        , m_records(records)
    {
    }

    // The other overloads come here as these take them; images come as pixmaps of their own size.
    using QPaintEngine::drawLines, QPaintEngine::drawPolygon, QPaintEngine::drawRects;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override { }
    Type type() const override { return User; }

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        const QRectF box(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent());
        Add("text", Map(box), item.text(), item.font());
    }
    void drawPixmap(const QRectF& r, const QPixmap& p, const QRectF&) override
    {
        Add("image", Map(r)).Pixels = p.size();
    }
    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            Add("rect", Map(rects[i]));
    }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            Add("line", QRectF(Transform().map(lines[i].p1()), Transform().map(lines[i].p2())));
    }
    void drawPath(const QPainterPath& path) override { Add("shape", Transform().map(path).boundingRect()); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override
    {
        Add("shape", Transform().map(QPolygonF(QList<QPointF>(points, points + count))).boundingRect());
    }

private:
    [[nodiscard]] QTransform Transform() const { return painter()->combinedTransform(); }
    [[nodiscard]] QRectF Map(const QRectF& r) const { return Transform().mapRect(r); }
    // A record in the painter's colour (a figure's fill, else its pen), with its pen's width and the clip.
    Record& Add(const QString& kind, const QRectF& place, const QString& text = {}, const QFont& font = {})
    {
        const QPen pen = painter()->pen();
        const bool figure = kind == "rect" || kind == "shape";
        const bool filled = figure && painter()->brush().style() != Qt::NoBrush;
        Record& record = m_records.emplaceBack(Record { kind, text, place, {}, {}, 0, font, {} });
        record.Opacity = painter()->opacity();
        record.Colour = filled ? painter()->brush().color() : pen.style() == Qt::NoPen ? QColor() : pen.color();
        if ((figure || kind == "line") && pen.style() != Qt::NoPen && !pen.isCosmetic())
            record.PenWidth = pen.widthF() * std::sqrt(std::abs(Transform().determinant()));
        if (painter()->hasClipping())
            record.Clip = Map(painter()->clipBoundingRect());
        return record;
    }

    QList<Record>& m_records;
};

} // namespace

PaintRecorder::PaintRecorder(const std::function<void(QPainter&)>& draw)
    : m_engine(std::make_unique<RecordingEngine>(Records))
{
    QPainter painter(this);
    draw(painter);
}

PaintRecorder::PaintRecorder(const QPicture& picture)
    : PaintRecorder([&picture](QPainter& painter) { painter.drawPicture(0, 0, picture); })
{
}

QList<Record> PaintRecorder::Of(const QString& kind) const
{
    QList<Record> records;
    for (const Record& record : Records) {
        if (record.Kind == kind)
            records.append(record);
    }
    return records;
}

QStringList PaintRecorder::Texts() const
{
    QStringList texts;
    for (const Record& record : Of("text"))
        texts.append(record.Text);
    return texts;
}

QString PaintRecorder::Shown(const Record& r)
{
    const auto xy = [](QPointF p) { return QStringLiteral("%1,%2").arg(qRound(p.x())).arg(qRound(p.y())); };
    const auto size = [](QSizeF s) { return QStringLiteral("%1x%2").arg(qRound(s.width())).arg(qRound(s.height())); };
    const QString pen = r.PenWidth > 0 ? QStringLiteral(" %1").arg(r.PenWidth) : QString();
    if (r.Kind == "text") {
        const QString bold = r.Font.bold() ? QStringLiteral(" bold") : QString();
        return QStringLiteral("text %1 %2 %3%4").arg(r.Text, xy(r.Place.topLeft())).arg(r.Font.pixelSize()).arg(bold);
    }
    if (r.Kind == "line")
        return QStringLiteral("line %1 %2%3").arg(xy(r.Place.topLeft()), xy(r.Place.bottomRight()), pen);
    if (r.Kind == "image")
        return QStringLiteral("image %1 %2 %3").arg(xy(r.Place.topLeft()), size(r.Place.size()), size(r.Pixels))
            + (r.Opacity < 1 ? QStringLiteral(" %1").arg(r.Opacity) : QString());
    const QString colour = r.Colour.name(r.Colour.alpha() < 255 ? QColor::HexArgb : QColor::HexRgb);
    return QStringLiteral("%1 %2 %3 %4%5").arg(r.Kind, xy(r.Place.topLeft()), size(r.Place.size()), colour, pen);
}

QStringList PaintRecorder::Shown(const QList<Record>& records)
{
    QStringList lines;
    for (const Record& record : records)
        lines.append(Shown(record));
    return lines;
}

int PaintRecorder::metric(PaintDeviceMetric metric) const
{
    // A QPicture's resolution, so that one plays at its own size; room enough for a sheet in twips.
    struct Picture : QPicture {
        using QPicture::metric;
    };
    static const Picture picture;
    return metric == PdmWidth || metric == PdmHeight ? 30000 : picture.metric(metric);
}
