#include "screenfit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QLocale>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace ScreenFit {

namespace {

bool fits(double zoom, QSize available, const QList<QSize>& clientSizes, QMargins frame) {
    for (const QSize& client : clientSizes) {
        const double width = zoom * client.width() + frame.left() + frame.right();
        const double height = zoom * client.height() + frame.top() + frame.bottom();
        if (width > available.width() || height > available.height())
            return false;
    }
    return true;
}

QString zoomText(double zoom) {
    return QLocale(QLocale::German).toString(zoom, 'g', 6);
}

} // namespace

double fittingZoom(double wanted, QSize available, const QList<QSize>& clientSizes,
                   QMargins frame) {
    if (wanted <= 1.0 || fits(wanted, available, clientSizes, frame))
        return wanted;
    double largest = wanted;
    for (const QSize& client : clientSizes) {
        if (client.isEmpty())
            continue;
        const double across =
            double(available.width() - frame.left() - frame.right()) / client.width();
        const double down =
            double(available.height() - frame.top() - frame.bottom()) / client.height();
        largest = std::min({largest, across, down});
    }
    // Tenths: a factor like 2.0473 would only blur lines and pictures.
    const double tenths = std::floor(largest * 10.0 + 1e-9) / 10.0;
    return std::max(1.0, tenths);
}

QPoint placeFrame(const QRect& available, const QRect& frame) {
    const int x =
        std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width()));
    const int y =
        std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height()));
    return {x, y};
}

QSize fitClientSize(QSize available, QSize client, QMargins frame) {
    const QSize room(available.width() - frame.left() - frame.right(),
                     available.height() - frame.top() - frame.bottom());
    return client.boundedTo(room).expandedTo(QSize(1, 1));
}

QString zoomLoweredMessage(double wanted, double used, QSize screen) {
    return QStringLiteral("zevo: --zoom %1 passt nicht auf den Bildschirm (%2 × %3 Pixel); "
                          "Zevo verwendet --zoom %4.\n")
        .arg(zoomText(wanted))
        .arg(screen.width())
        .arg(screen.height())
        .arg(zoomText(used));
}

double zoomForScreen(double wanted, int argc, char** argv, QString* notice) {
    if (wanted <= 1.0)
        return wanted;
    // QT_SCALE_FACTOR counts only when the application object is made, and the
    // screen can be asked only through one: a first object, without the factor,
    // asks, and is gone before the real one is made with the factor. Qt takes
    // its own options (-platform) out of the list it is given, so it gets a copy.
    QSize available;
    {
        std::vector<char*> arguments(argv, argv + argc);
        arguments.push_back(nullptr);
        int count = argc;
        const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
        qunsetenv("QT_SCALE_FACTOR");
        {
            QGuiApplication probe(count, arguments.data());
            if (const QScreen* screen = QGuiApplication::primaryScreen())
                available = screen->availableGeometry().size() * screen->devicePixelRatio();
        }
        if (!factor.isNull())
            qputenv("QT_SCALE_FACTOR", factor);
    }
    if (available.isEmpty())
        return wanted;
    const double zoom = fittingZoom(wanted, available, FixedWindowSizes);
    if (zoom < wanted) {
        const QString message = zoomLoweredMessage(wanted, zoom, available);
        std::fputs(message.toUtf8().constData(), stderr);
        if (notice)
            *notice = message.mid(message.indexOf(u' ') + 1).trimmed();
    }
    return zoom;
}

namespace {
// The assumed frame in the window's pixels, which the zoom scales.
QMargins assumedFrame(const QScreen& screen) {
    const qreal ratio = screen.devicePixelRatio();
    const auto scaled = [ratio](int pixels) { return int(std::ceil(pixels / ratio)); };
    return {scaled(AssumedFrame.left()), scaled(AssumedFrame.top()), scaled(AssumedFrame.right()),
            scaled(AssumedFrame.bottom())};
}
} // namespace

void fitSize(QWidget& window) {
    if (const QScreen* screen = window.screen())
        window.resize(fitClientSize(screen->availableGeometry().size(), window.size(),
                                    assumedFrame(*screen)));
}

namespace {
// Moves the window so that its whole frame lies in its screen's available area.
void moveFrameInside(QWidget& window) {
    if (const QScreen* screen = window.screen()) {
        const QRect available = screen->availableGeometry();
        const QRect frame = window.frameGeometry();
        if (!available.contains(frame))
            window.move(placeFrame(available, frame));
    }
}

// Once a window is on the screen its real frame is known: a frame that still
// reaches past the available area (a frame larger than assumed) is moved in.
class FrameCheck : public QObject {
public:
    explicit FrameCheck(QWidget& window) : QObject(&window), m_window(window) {
        window.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && event->type() == QEvent::Paint) {
            m_window.removeEventFilter(this);
            QMetaObject::invokeMethod(this, &FrameCheck::check, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void check() {
        moveFrameInside(m_window);
        deleteLater();
    }
    QWidget& m_window;
};
} // namespace

namespace {
class GrowthCheck : public QObject {
public:
    explicit GrowthCheck(QWidget& window) : QObject(&window), m_window(window) {
        window.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Once the window system has the new size, the frame is known.
        if (watched == &m_window && event->type() == QEvent::Resize && m_window.isVisible())
            QMetaObject::invokeMethod(this, &GrowthCheck::check, Qt::QueuedConnection);
        return false;
    }

private:
    void check() {
        moveFrameInside(m_window);
    }
    QWidget& m_window;
};
} // namespace

void keepInsideWhenGrown(QWidget& window) {
    new GrowthCheck(window);
}

void placeInside(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    // The position is the client area's: the window manager puts its frame
    // around it. The frame is moved in, and the client area with it.
    // A window whose layout fixes its size has that size only once the layout ran.
    if (window.layout())
        window.layout()->activate();
    const QMargins frame = assumedFrame(*screen);
    const QRect outer = QRect(window.pos(), window.size()).marginsAdded(frame);
    window.move(placeFrame(screen->availableGeometry(), outer) + QPoint(frame.left(), frame.top()));
    new FrameCheck(window);
}

} // namespace ScreenFit
