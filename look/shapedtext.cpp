#include "shapedtext.h"

#include <QPainter>
#include <QTextLayout>
#include <limits>

namespace {
// Enough for every text on screen at once; a run writes new values all the
// time, so the cache starts afresh when it is full rather than growing.
constexpr qsizetype Capacity = 4096;
} // namespace

const ShapedTextCache::Shape& ShapedTextCache::shape(const QPainter& painter, const QString& text) {
    // A font given in points has other pixels at another resolution, which
    // QFont's comparison does not see.
    const QPaintDevice* device = painter.device();
    const qreal ratio = device ? device->devicePixelRatioF() : 1.0;
    const int dpi = device ? device->logicalDpiY() : 0;
    if (ratio != m_pixelRatio || dpi != m_dpi || painter.font() != m_font) {
        m_shapes.clear();
        m_font = painter.font();
        m_pixelRatio = ratio;
        m_dpi = dpi;
    }
    const auto found = m_shapes.constFind(text);
    if (found != m_shapes.cend())
        return *found;
    if (m_shapes.size() >= Capacity)
        m_shapes.clear();

    QTextLayout layout(text, m_font, painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    Shape shape;
    if (line.isValid()) {
        line.setNumColumns(std::numeric_limits<int>::max()); // one line, however long
        line.setPosition(QPointF(0, 0));
        shape.ascent = line.ascent();
        shape.height = line.ascent() + line.descent();
        shape.width = line.naturalTextWidth();
    }
    layout.endLayout();
    shape.runs = layout.glyphRuns();
    for (QGlyphRun& run : shape.runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& p : positions)
            p.ry() -= shape.ascent;
        run.setPositions(positions);
    }
    return *m_shapes.insert(text, std::move(shape));
}

void ShapedTextCache::draw(QPainter& painter, const QPointF& baseline, const QString& text) {
    if (text.isEmpty())
        return;
    for (const QGlyphRun& run : shape(painter, text).runs)
        painter.drawGlyphRun(baseline, run);
}

void ShapedTextCache::drawInRect(QPainter& painter, const QRect& rect, const QString& text) {
    if (text.isEmpty())
        return;
    const Shape& s = shape(painter, text);
    const QRectF bounds(rect.x(), rect.y(), s.width, s.height);
    const bool clip = !QRectF(rect).contains(bounds);
    if (clip) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
    }
    const QPointF baseline(rect.x(), rect.y() + s.ascent);
    for (const QGlyphRun& run : s.runs)
        painter.drawGlyphRun(baseline, run);
    if (clip)
        painter.restore();
}
