#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

// What the plain-text layout needs of a printer. Coordinates are in device
// units with the origin at the top left of the printable area; y is the top of
// a printed line. Tests give fixed metrics and record what is drawn.
class PrintCanvas {
public:
    virtual ~PrintCanvas() = default;
    virtual void setFont(const QFont& font) = 0;
    virtual qreal lineHeight() const = 0;
    virtual qreal averageCharWidth() const = 0;
    virtual qreal textWidth(const QString& text) const = 0;
    virtual QSizeF pageSize() const = 0;
    virtual void drawText(qreal x, qreal y, const QString& text) = 0;
    // Throws ZevoError when the printer cannot start a page.
    virtual void newPage() = 0;
};
