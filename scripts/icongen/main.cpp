// Draws Zevo's toolbar and menu pictures (16 x 16) and the window icon, and
// writes them as PNG files:
//   <dir>/toolbar/00.png ... 15.png   in the order of the toolbar's image list
//   <dir>/toolbar/00@2x.png ...       the same at 32 x 32, for a doubled display
//   <dir>/zevo.png, zevo@2x.png       the 32 x 32 window icon, and at 64 x 64
//   <dir>/zevo-<n>.png                the same icon at other sizes, for the desktop
//   <dir>/box/information.png, critical.png, question.png
//                                     the message boxes' 32 x 32 pictures, with
//                                     @2x and @4x versions (64 and 128)
// QIcon picks a "@2x" file beside the named one by itself when the display is
// scaled (QT_SCALE_FACTOR=2, zevo --zoom 2), so the pictures stay sharp there
// instead of being magnified pixel by pixel.
// Everything is drawn from shapes, without fonts, so the files come out the
// same on every machine.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <cstdio>
#include <utility>

namespace {

const QColor kPaper(255, 255, 255);
const QColor kPaperEdge(96, 96, 96);
const QColor kLines(150, 150, 150);
const QColor kBlue(40, 100, 200);
const QColor kBlueDark(16, 56, 128);
const QColor kGreen(44, 170, 64);
const QColor kGreenDark(16, 96, 32);
const QColor kRed(216, 40, 40);
const QColor kRedDark(128, 16, 16);
const QColor kOrange(240, 150, 20);
const QColor kOrangeDark(150, 80, 0);
const QColor kCream(255, 251, 240);
const QColor kSilver(192, 192, 192);
const QColor kGrey(170, 170, 170);
const QColor kGreyDark(90, 90, 90);

QPen pen(const QColor& c, qreal width = 1.0) {
    QPen p(c, width);
    p.setJoinStyle(Qt::MiterJoin);
    p.setCapStyle(Qt::FlatCap);
    return p;
}

void shape(QPainter& p, const QPolygonF& poly, const QColor& fill, const QColor& edge) {
    p.setPen(pen(edge));
    p.setBrush(fill);
    p.drawPolygon(poly);
}

void box(QPainter& p, const QRectF& r, const QColor& fill, const QColor& edge) {
    p.setPen(pen(edge));
    p.setBrush(fill);
    p.drawRect(r);
}

void hline(QPainter& p, qreal x1, qreal x2, qreal y, const QColor& c) {
    p.setPen(pen(c));
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
}

// A sheet of paper with its top right corner folded over.
void sheet(QPainter& p, const QRectF& r, qreal ear) {
    shape(p,
          QPolygonF({r.topLeft(),
                     {r.right() - ear, r.top()},
                     {r.right(), r.top() + ear},
                     r.bottomRight(),
                     r.bottomLeft()}),
          kPaper, kPaperEdge);
    shape(p,
          QPolygonF({{r.right() - ear, r.top()},
                     {r.right() - ear, r.top() + ear},
                     {r.right(), r.top() + ear}}),
          QColor(225, 225, 225), kPaperEdge);
}

void textLines(QPainter& p, qreal x1, qreal x2, qreal y, int count) {
    for (int i = 0; i < count; ++i)
        hline(p, x1, x2, y + 2 * i, kLines);
}

void drawNew(QPainter& p) {
    sheet(p, {4.5, 1.5, 9, 13}, 3);
    // A sparkle: the sheet is fresh.
    shape(
        p,
        QPolygonF({{4, 0}, {5.2, 2.8}, {8, 4}, {5.2, 5.2}, {4, 8}, {2.8, 5.2}, {0, 4}, {2.8, 2.8}}),
        QColor(255, 210, 40), QColor(200, 120, 0));
}

void drawOpen(QPainter& p) {
    const QColor edge(150, 100, 20);
    shape(p,
          QPolygonF({{1.5, 2.5}, {5.5, 2.5}, {6.5, 3.5}, {12.5, 3.5}, {12.5, 13.5}, {1.5, 13.5}}),
          QColor(214, 160, 40), edge);
    box(p, {3.5, 5.5, 8, 5}, kPaper, kPaperEdge);
    shape(p, QPolygonF({{4.5, 7.5}, {15.5, 7.5}, {12.5, 13.5}, {1.5, 13.5}}), QColor(250, 206, 84),
          edge);
}

void drawSave(QPainter& p) {
    shape(p, QPolygonF({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}), kBlue,
          kBlueDark);
    box(p, {4.5, 1.5, 7, 5}, kSilver, kGreyDark);
    p.fillRect(QRectF(8, 2, 2, 4), kBlueDark);
    box(p, {3.5, 8.5, 9, 6}, kPaper, kGreyDark);
    hline(p, 5, 11, 10.5, kLines);
    hline(p, 5, 11, 12.5, kLines);
}

void drawPrint(QPainter& p) {
    box(p, {4.5, 1.5, 7, 5}, kPaper, kPaperEdge);
    QPainterPath body;
    body.addRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.5, 1.5);
    p.setPen(pen(kGreyDark));
    p.setBrush(QColor(200, 200, 200));
    p.drawPath(body);
    p.fillRect(QRectF(12, 7, 2, 1), kGreen);
    box(p, {3.5, 9.5, 9, 5}, kPaper, kPaperEdge);
    textLines(p, 5, 11, 11.5, 2);
}

void drawStep(QPainter& p) {
    shape(p, QPolygonF({{2.5, 2.5}, {9.5, 8}, {2.5, 13.5}}), kBlue, kBlueDark);
    box(p, {10.5, 2.5, 3, 11}, kBlue, kBlueDark);
}

void drawStart(QPainter& p) {
    shape(p, QPolygonF({{3.5, 1.5}, {14.5, 8}, {3.5, 14.5}}), kGreen, kGreenDark);
}

void drawStop(QPainter& p) {
    box(p, {2.5, 2.5, 11, 11}, kRed, kRedDark);
    hline(p, 3, 13, 3.5, QColor(236, 110, 110));
}

void drawReset(QPainter& p) {
    box(p, {1.5, 2.5, 2, 11}, kBlue, kBlueDark);
    shape(p, QPolygonF({{9, 2.5}, {9, 13.5}, {3.5, 8}}), kBlue, kBlueDark);
    shape(p, QPolygonF({{14.5, 2.5}, {14.5, 13.5}, {9, 8}}), kBlue, kBlueDark);
}

// The register grid in small: keys on grey, values on cream, three rows.
void registerGrid(QPainter& p) {
    box(p, {0.5, 0.5, 4, 12}, kSilver, kGreyDark);
    box(p, {4.5, 0.5, 7, 12}, kCream, kGreyDark);
    hline(p, 0.5, 11.5, 4.5, kGreyDark);
    hline(p, 0.5, 11.5, 8.5, kGreyDark);
    for (const qreal y : {2.5, 6.5, 10.5})
        hline(p, 6, 10, y, QColor(60, 60, 60));
}

// The tray the registers are put into and taken back from.
void tray(QPainter& p) {
    p.setPen(pen(kPaper, 3));
    p.drawPolyline(QPolygonF({{8.5, 11.5}, {8.5, 14.5}, {15.5, 14.5}, {15.5, 11.5}}));
    p.setPen(pen(kGreyDark));
    p.drawPolyline(QPolygonF({{8.5, 11.5}, {8.5, 14.5}, {15.5, 14.5}, {15.5, 11.5}}));
}

void drawSaveRegisters(QPainter& p) {
    registerGrid(p);
    tray(p);
    shape(p,
          QPolygonF({{10.5, 5.5},
                     {13.5, 5.5},
                     {13.5, 8.5},
                     {15.5, 8.5},
                     {12, 12.5},
                     {8.5, 8.5},
                     {10.5, 8.5}}),
          kGreen, kGreenDark);
}

void drawRestoreRegisters(QPainter& p) {
    registerGrid(p);
    tray(p);
    shape(p,
          QPolygonF({{12, 5.5},
                     {15.5, 9.5},
                     {13.5, 9.5},
                     {13.5, 13.5},
                     {10.5, 13.5},
                     {10.5, 9.5},
                     {8.5, 9.5}}),
          kOrange, kOrangeDark);
}

void drawClearRegisters(QPainter& p) {
    registerGrid(p);
    for (const auto& [c, w] : {std::pair{kPaper, 4.5}, std::pair{kRed, 2.5}}) {
        QPen x = pen(c, w);
        x.setCapStyle(Qt::SquareCap);
        p.setPen(x);
        p.drawLine(QPointF(9.5, 8.5), QPointF(14.5, 13.5));
        p.drawLine(QPointF(14.5, 8.5), QPointF(9.5, 13.5));
    }
}

void questionMark(QPainter& p, qreal cx, qreal top, const QColor& c) {
    QPainterPath q;
    const QRectF arc(cx - 2.25, top, 4.5, 4.5);
    q.arcMoveTo(arc, 165);
    q.arcTo(arc, 165, -255);
    q.lineTo(cx, top + 6.0);
    q.lineTo(cx, top + 7.5);
    p.setPen(pen(c, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(q);
    p.fillRect(QRectF(cx - 1, top + 8.5, 2, 2), c);
}

void drawHelp(QPainter& p) {
    // A manual: pages below and to the right of a blue cover with a question mark.
    box(p, {4.5, 2.5, 10, 12}, kPaper, kPaperEdge);
    box(p, {1.5, 1.5, 11, 12}, kBlue, kBlueDark);
    p.fillRect(QRectF(2, 2, 2, 11), kBlueDark);
    questionMark(p, 8, 2.5, kPaper);
}

void drawExit(QPainter& p) {
    box(p, {1.5, 1.5, 8, 13}, QColor(50, 50, 50), QColor(90, 60, 20));
    shape(p, QPolygonF({{1.5, 1.5}, {6.5, 3.5}, {6.5, 15.5}, {1.5, 14.5}}), QColor(186, 122, 56),
          QColor(100, 60, 20));
    p.fillRect(QRectF(4.5, 8.5, 1, 1.5), QColor(255, 220, 60));
    shape(p,
          QPolygonF({{7.5, 6.5},
                     {10.5, 6.5},
                     {10.5, 3.5},
                     {15.5, 8},
                     {10.5, 12.5},
                     {10.5, 9.5},
                     {7.5, 9.5}}),
          kGreen, kGreenDark);
}

void drawInfo(QPainter& p) {
    p.setPen(pen(kBlueDark));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(8, 8), 7, 7);
    p.fillRect(QRectF(7, 3, 2, 2), kPaper);
    p.fillRect(QRectF(7, 6, 2, 6), kPaper);
    p.fillRect(QRectF(6, 6, 1, 1), kPaper);
    p.fillRect(QRectF(6, 11, 4, 1), kPaper);
}

void drawOptions(QPainter& p) {
    QPainterPath gear;
    gear.addEllipse(QPointF(8, 8), 5.2, 5.2);
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRect(QRectF(-1.4, -7.6, 2.8, 4));
        gear = gear.united(QTransform().translate(8, 8).rotate(i * 45.0).map(tooth));
    }
    QPainterPath hole;
    hole.addEllipse(QPointF(8, 8), 2.2, 2.2);
    gear = gear.subtracted(hole);
    p.setPen(pen(kGreyDark));
    p.setBrush(QColor(150, 156, 166));
    p.drawPath(gear);
}

void drawCopy(QPainter& p) {
    box(p, {1.5, 1.5, 8, 10}, kPaper, kPaperEdge);
    textLines(p, 3, 8, 4.5, 3);
    box(p, {6.5, 4.5, 8, 10}, kPaper, kPaperEdge);
    textLines(p, 8, 13, 7.5, 3);
}

// The window icon, on a 32-unit square: the register grid with its marked
// register, and the start triangle in front of it.
void drawAppIcon(QPainter& p) {
    QPainterPath tile;
    tile.addRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
    QLinearGradient sky(0, 0, 0, 32);
    sky.setColorAt(0, QColor(70, 130, 220));
    sky.setColorAt(1, QColor(24, 64, 150));
    p.setPen(pen(kBlueDark));
    p.setBrush(sky);
    p.drawPath(tile);

    const qreal left = 5.5, top = 5.5, keyWidth = 7, valueWidth = 13, rowHeight = 5;
    for (int row = 0; row < 4; ++row) {
        const qreal y = top + row * rowHeight;
        box(p, {left, y, keyWidth, rowHeight}, row == 1 ? kSilver : QColor(232, 232, 232),
            kGreyDark);
        box(p, {left + keyWidth, y, valueWidth, rowHeight}, kCream, kGreyDark);
        hline(p, left + keyWidth + 2, left + keyWidth + 5 + (row % 2) * 3, y + 2,
              QColor(50, 50, 50));
    }
    p.setPen(pen(kPaper, 2));
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({{17, 15}, {29, 22}, {17, 29}}));
    p.setPen(pen(kGreenDark));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({{18, 16.8}, {27, 22}, {18, 27.2}}));
}

// The message boxes' pictures, on a 32-unit square: a round badge with a sign.
void badge(QPainter& p, const QColor& light, const QColor& dark) {
    QRadialGradient shade(QPointF(12, 10), 20);
    shade.setColorAt(0, light.lighter(130));
    shade.setColorAt(1, light);
    p.setPen(pen(dark, 1.5));
    p.setBrush(shade);
    p.drawEllipse(QPointF(16, 16), 14, 14);
}

void drawBoxInformation(QPainter& p) {
    badge(p, kBlue, kBlueDark);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(16, 8.5), 2.4, 2.4);
    p.drawRoundedRect(QRectF(13.8, 12.5, 4.4, 12.5), 1, 1);
    p.drawRect(QRectF(11.5, 12.5, 3, 2.5));
    p.drawRect(QRectF(11.5, 22.5, 9, 2.5));
}

void drawBoxCritical(QPainter& p) {
    badge(p, kRed, kRedDark);
    QPen cross = pen(kPaper, 4);
    cross.setCapStyle(Qt::RoundCap);
    p.setPen(cross);
    p.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
    p.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
}

void drawBoxQuestion(QPainter& p) {
    badge(p, kBlue, kBlueDark);
    p.save();
    p.translate(16, 5.5);
    p.scale(2, 2);
    questionMark(p, 0, 0, kPaper);
    p.restore();
}

QImage render(int size, void (*draw)(QPainter&), qreal units) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / units, size / units);
    draw(p);
    p.end();
    return image;
}

bool save(const QImage& image, const QString& path) {
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "icongen: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icongen <output folder, e.g. look/resources/icons>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("toolbar"))) {
        std::fprintf(stderr, "icongen: cannot create %s/toolbar\n", argv[1]);
        return 1;
    }

    // Index order of the toolbar's image list.
    void (*const pictures[])(QPainter&) = {drawNew,
                                           drawOpen,
                                           drawSave,
                                           drawPrint,
                                           drawStep,
                                           drawStart,
                                           drawStop,
                                           drawReset,
                                           drawSaveRegisters,
                                           drawRestoreRegisters,
                                           drawClearRegisters,
                                           drawHelp,
                                           drawExit,
                                           drawInfo,
                                           drawOptions,
                                           drawCopy};
    bool ok = true;
    int index = 0;
    for (auto* draw : pictures) {
        const QString name = QStringLiteral("toolbar/%1").arg(index++, 2, 10, QLatin1Char('0'));
        ok = save(render(16, draw, 16), out.filePath(name + QStringLiteral(".png"))) && ok;
        ok = save(render(32, draw, 16), out.filePath(name + QStringLiteral("@2x.png"))) && ok;
    }
    if (!out.mkpath(QStringLiteral("box"))) {
        std::fprintf(stderr, "icongen: cannot create %s/box\n", argv[1]);
        return 1;
    }
    const std::pair<const char*, void (*)(QPainter&)> boxPictures[] = {
        {"information", drawBoxInformation},
        {"critical", drawBoxCritical},
        {"question", drawBoxQuestion}};
    for (const auto& [name, draw] : boxPictures) {
        const QString base = QStringLiteral("box/") + QLatin1String(name);
        ok = save(render(32, draw, 32), out.filePath(base + QStringLiteral(".png"))) && ok;
        ok = save(render(64, draw, 32), out.filePath(base + QStringLiteral("@2x.png"))) && ok;
        ok = save(render(128, draw, 32), out.filePath(base + QStringLiteral("@4x.png"))) && ok;
    }
    ok = save(render(32, drawAppIcon, 32), out.filePath(QStringLiteral("zevo.png"))) && ok;
    ok = save(render(64, drawAppIcon, 32), out.filePath(QStringLiteral("zevo@2x.png"))) && ok;
    for (const int size : {16, 48, 64, 128, 256})
        ok = save(render(size, drawAppIcon, 32),
                  out.filePath(QStringLiteral("zevo-%1.png").arg(size))) &&
             ok;
    return ok ? 0 : 1;
}
