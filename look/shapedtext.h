#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>
#include <array>

class QPainter;
class QPaintDevice;
class QPointF;
class QRect;

// Texts shaped once and then drawn from their glyphs. Shaping (finding the
// glyphs of a text and their places) costs far more than drawing them, and a
// running program repaints the same short texts again and again: the
// protocol's columns, the register keys and values.
//
// The glyphs hold for one font on one kind of screen; the cache forgets them
// all when the painter's font, the device's pixel ratio (the zoom) or its
// resolution differs from the one they were made for. It holds at most a few
// thousand texts.
class ShapedTextCache {
public:
    // Draws text with the left end of its baseline at baseline, in the
    // painter's font and pen: the same pixels as QPainter::drawText(QPointF,
    // QString).
    void draw(QPainter& painter, const QPointF& baseline, const QString& text);
    // The same pixels as QPainter::drawText(rect, Qt::AlignLeft | Qt::AlignTop
    // | Qt::TextSingleLine, text): the line's top at the rectangle's top, and
    // a text that would reach outside the rectangle clipped to it.
    void drawInRect(QPainter& painter, const QRect& rect, const QString& text);

    // The same pixels as QPainter::drawText(rect, Qt::AlignCenter, text)
    // where rect is all the painter may paint on, so that clipping to it
    // changes nothing.
    void drawCentred(QPainter& painter, const QRect& rect, const QString& text);

    qsizetype size() const { return m_shapes.size(); }

private:
    struct Shape {
        QList<QGlyphRun> runs; // glyph positions relative to the baseline's left end
        qreal ascent = 0;
        qreal height = 0;
        qreal width = 0;
    };
    const Shape& shape(const QPainter& painter, const QString& text);
    Shape layOut(const QPaintDevice* device, const QString& text) const;

    // A running program writes a new number on almost every step. Where the
    // font places digits and the minus sign side by side without kerning or
    // ligatures, such a number is put together from the glyphs of its
    // characters instead of being shaped: checked once per font against the
    // shaped text of every pair.
    static constexpr int NumberCharCount = 11; // "0" to "9", "-"
    static int numberCharIndex(QChar c);
    bool composeNumber(const QPaintDevice* device, const QString& text, Shape& into);
    bool composeFrom(const QString& text, Shape& into) const;
    enum class Numbers { Unknown, Composed, Shaped };
    Numbers m_numbers = Numbers::Unknown;
    std::array<Shape, NumberCharCount> m_numberChars;

    QHash<QString, Shape> m_shapes;
    QFont m_font;
    qreal m_pixelRatio = 0;
    int m_dpi = 0;
};
