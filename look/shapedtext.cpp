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
        m_numbers = Numbers::Unknown;
    }
    const auto found = m_shapes.constFind(text);
    if (found != m_shapes.cend())
        return *found;
    Shape made;
    if (!composeNumber(device, text, made))
        made = layOut(device, text);
    if (m_shapes.size() >= Capacity)
        m_shapes.clear();
    return *m_shapes.insert(text, std::move(made));
}

ShapedTextCache::Shape ShapedTextCache::layOut(const QPaintDevice* device,
                                               const QString& text) const {
    QTextLayout layout(text, m_font, const_cast<QPaintDevice*>(device));
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
    return shape;
}

int ShapedTextCache::numberCharIndex(QChar c) {
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    return c == u'-' ? 10 : -1;
}

bool ShapedTextCache::composeFrom(const QString& text, Shape& into) const {
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(text.size());
    positions.reserve(text.size());
    qreal x = 0;
    for (const QChar c : text) {
        const int i = numberCharIndex(c);
        if (i < 0)
            return false;
        const QGlyphRun& run = m_numberChars[std::size_t(i)].runs.constFirst();
        glyphs.append(run.glyphIndexes().constFirst());
        positions.append(run.positions().constFirst() + QPointF(x, 0));
        x += m_numberChars[std::size_t(i)].width;
    }
    const Shape& first = m_numberChars[std::size_t(numberCharIndex(text.front()))];
    into.ascent = first.ascent;
    into.height = first.height;
    into.width = x;
    QGlyphRun run = first.runs.constFirst();
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setBoundingRect(QRectF());
    into.runs = {run};
    return true;
}

bool ShapedTextCache::composeNumber(const QPaintDevice* device, const QString& text, Shape& into) {
    if (m_numbers == Numbers::Shaped || text.isEmpty() || text.size() > 64)
        return false;
    for (const QChar c : text) {
        if (numberCharIndex(c) < 0)
            return false;
    }
    if (m_numbers == Numbers::Unknown) {
        m_numbers = Numbers::Shaped;
        static const QString chars = QStringLiteral("0123456789-");
        for (int i = 0; i < NumberCharCount; ++i) {
            Shape one = layOut(device, chars.mid(i, 1));
            if (one.runs.size() != 1 || one.runs.front().glyphIndexes().size() != 1)
                return false;
            // One font for all of them: a run holds the glyphs of one font only.
            if (i > 0 && one.runs.front().rawFont() != m_numberChars[0].runs.front().rawFont())
                return false;
            m_numberChars[std::size_t(i)] = std::move(one);
        }
        // Every pair side by side, shaped as one text, must come out exactly
        // as the characters put together.
        QString pairs;
        for (const QChar a : chars) {
            for (const QChar b : chars)
                pairs += QString(a) + b;
        }
        const Shape shaped = layOut(device, pairs);
        Shape composed;
        if (!composeFrom(pairs, composed) || shaped.runs.size() != 1 ||
            shaped.runs.front().glyphIndexes() != composed.runs.front().glyphIndexes() ||
            shaped.runs.front().positions() != composed.runs.front().positions() ||
            shaped.width != composed.width || shaped.ascent != composed.ascent ||
            shaped.height != composed.height)
            return false;
        m_numbers = Numbers::Composed;
    }
    return composeFrom(text, into);
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

void ShapedTextCache::drawCentred(QPainter& painter, const QRect& rect, const QString& text) {
    if (text.isEmpty())
        return;
    const Shape& s = shape(painter, text);
    // The painter's text layout puts the line's box in the middle.
    const QPointF baseline(rect.x() + (rect.width() - s.width) / 2,
                           rect.y() + (rect.height() - s.height) / 2 + s.ascent);
    for (const QGlyphRun& run : s.runs)
        painter.drawGlyphRun(baseline, run);
}
