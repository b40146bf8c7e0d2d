#include "plaintextprinter.h"

#include "look.h"
#include "printcanvas.h"
#include "zevoerror.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <cmath>

namespace {

constexpr int TextPointSize = 11;
constexpr int FileNamePointSize = 10;

// Lines flow down the printable area like on a teletype: TABs jump to the
// next stop, text that would pass the right edge continues at the left edge of
// the next row, and a row that does not fit starts a new page.
class PlainTextWriter {
public:
    explicit PlainTextWriter(PrintCanvas& canvas) : m_canvas(canvas), m_page(canvas.pageSize()) {}

    void setPointSize(QFont font, int points) {
        font.setPointSize(points);
        m_canvas.setFont(font);
    }

    void writeLine(const QString& line) {
        placeRow();
        const QStringList segments = line.split(u'\t');
        for (qsizetype i = 0; i < segments.size(); ++i) {
            if (i > 0)
                tab();
            writeSegment(segments[i]);
        }
        m_y += m_canvas.lineHeight();
        m_x = 0;
    }

private:
    // A row is put on a new page only when something needs it, so a full last
    // page is not followed by an empty one.
    void placeRow() {
        if (m_y > 0 && m_y + m_canvas.lineHeight() > m_page.height()) {
            m_canvas.newPage();
            m_y = 0;
        }
    }

    void breakRow() {
        m_y += m_canvas.lineHeight();
        m_x = 0;
        placeRow();
    }

    void tab() {
        const qreal width = std::max<qreal>(Look::TabStopChars * m_canvas.averageCharWidth(), 1);
        const qreal stop = (std::floor(m_x / width) + 1) * width;
        if (stop > m_page.width())
            breakRow();
        else
            m_x = stop;
    }

    void writeSegment(QString rest) {
        while (!rest.isEmpty()) {
            qsizetype n = fittingLength(rest, m_page.width() - m_x);
            if (n == 0) {
                if (m_x > 0) {
                    breakRow();
                    continue;
                }
                // Not even one character fits the page: print it anyway, or
                // the printout would never end.
                n = rest.size() > 1 && rest[0].isHighSurrogate() ? 2 : 1;
            }
            const QString part = rest.left(n);
            m_canvas.drawText(m_x, m_y, part);
            m_x += m_canvas.textWidth(part);
            rest.remove(0, n);
            if (!rest.isEmpty())
                breakRow();
        }
    }

    // The longest start of text no wider than room, never splitting a surrogate pair.
    qsizetype fittingLength(const QString& text, qreal room) const {
        qsizetype low = 0;
        qsizetype high = text.size();
        while (low < high) {
            const qsizetype mid = (low + high + 1) / 2;
            if (m_canvas.textWidth(text.left(mid)) <= room)
                low = mid;
            else
                high = mid - 1;
        }
        if (low > 0 && low < text.size() && text[low - 1].isHighSurrogate())
            --low;
        return low;
    }

    PrintCanvas& m_canvas;
    const QSizeF m_page;
    qreal m_x = 0;
    qreal m_y = 0;
};

// Text is laid out in units of 1/720 inch, whatever the printer's resolution: a
// font size in whole units of it is an exact point size (11 pt = 110 units),
// where the printer's own pixels would round it (11 pt at 1200 dpi are 183 1/3
// pixels, printed as 183: 10.98 pt; at screen resolution 15 pixels: 11.25 pt).
// The metrics are the printer's: unhinted, at this size.
constexpr int LayoutDotsPerInch = 720;

class PainterCanvas : public PrintCanvas {
public:
    PainterCanvas(QPrinter& printer, QPainter& painter)
        : m_printer(printer), m_painter(painter),
          m_scale(qreal(printer.resolution()) / LayoutDotsPerInch),
          m_metrics(painter.font(), &printer) {
        m_painter.scale(m_scale, m_scale);
    }

    void setFont(const QFont& font) override {
        QFont sized = font;
        sized.setPixelSize(qRound(font.pointSizeF() * LayoutDotsPerInch / 72));
        m_painter.setFont(sized);
        m_metrics = QFontMetricsF(sized, &m_printer);
    }
    qreal lineHeight() const override { return m_metrics.lineSpacing(); }
    qreal averageCharWidth() const override { return Look::averageCharWidth(m_metrics); }
    qreal textWidth(const QString& text) const override {
        return m_metrics.horizontalAdvance(text);
    }
    QSizeF pageSize() const override {
        return QSizeF(m_printer.width(), m_printer.height()) / m_scale;
    }
    void drawText(qreal x, qreal y, const QString& text) override {
        m_painter.drawText(QPointF(x, y + m_metrics.ascent()), text);
    }
    void newPage() override {
        if (!m_printer.newPage())
            throw ZevoError(QStringLiteral("Der Drucker kann keine neue Seite beginnen"));
    }

private:
    QPrinter& m_printer;
    QPainter& m_painter;
    const qreal m_scale;
    QFontMetricsF m_metrics;
};

// A PDF file ends with its end-of-file marker; one the disk or a size limit cut
// short does not, and the PDF writer itself reports no failed write.
bool isCompleteFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return false;
    file.seek(qMax<qint64>(0, file.size() - 32));
    return file.readAll().contains("%%EOF");
}

} // namespace

void printPlainText(PrintCanvas& canvas, const QStringList& lines, const QFont& font,
                    const QString& fileName) {
    PlainTextWriter writer(canvas);
    writer.setPointSize(font, TextPointSize);
    writer.writeLine(QString());
    writer.writeLine(QString());
    for (const QString& line : lines)
        writer.writeLine(u'\t' + line);
    writer.writeLine(QString());
    writer.writeLine(QString());
    writer.setPointSize(font, FileNamePointSize);
    writer.writeLine(u'\t' + fileName);
}

void printPlainText(QPrinter& printer, const QStringList& lines, const QFont& font,
                    const QString& fileName) {
    QPainter painter;
    if (!painter.begin(&printer))
        throw ZevoError(QStringLiteral("Der Druckauftrag kann nicht begonnen werden"));
    try {
        PainterCanvas canvas(printer, painter);
        printPlainText(canvas, lines, font, fileName);
    } catch (const ZevoError&) {
        // A half-printed job is cancelled rather than sent out incomplete.
        printer.abort();
        painter.end();
        throw;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw ZevoError(QStringLiteral("Der Druckauftrag ist fehlgeschlagen"));
    const QString file = printer.outputFileName();
    if (!file.isEmpty() && !isCompleteFile(file))
        throw ZevoError(
            QStringLiteral(
                "Der Ausdruck konnte nicht vollständig in die Datei %1 geschrieben werden")
                .arg(QDir::toNativeSeparators(file)));
}
