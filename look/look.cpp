#include "look.h"
#include "platformfont.h"
#include "zevoversion.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QStyle>
#include <QStyleFactory>

namespace Look {

bool usesStandInOnWindows() {
#ifdef Q_OS_WIN
    using PlatformFont::outlineFaceExists;
    return windowFontFamily(outlineFaceExists(QStringLiteral("MS Sans Serif")),
                            outlineFaceExists(QStringLiteral("Microsoft Sans Serif"))) ==
           QStringLiteral("Liberation Sans");
#else
    return false;
#endif
}

QString applicationTitle() {
    return QStringLiteral("Zevo " ZEVO_VERSION);
}

QString windowFontFamily(bool msSansSerifIsOutline, bool microsoftSansSerifIsOutline) {
    if (msSansSerifIsOutline)
        return QStringLiteral("MS Sans Serif");
    if (microsoftSansSerifIsOutline)
        return QStringLiteral("Microsoft Sans Serif");
    return QStringLiteral("Liberation Sans");
}

QString fixedFontFamily() {
#ifdef Q_OS_WIN
    // Wine has no Courier New, but finds the stand-in's fixed-width sibling.
    static const QString family = QFontDatabase::hasFamily(QStringLiteral("Courier New"))
                                      ? QStringLiteral("Courier New")
                                      : QStringLiteral("Liberation Mono");
    return family;
#else
    return QStringLiteral("Liberation Mono");
#endif
}

QFont windowFont() {
#ifdef Q_OS_WIN
    // Asked once: what the system resolves the face to, not only its name.
    static const QString family = [] {
        const auto outline = [](const QString& face) {
            return QFontDatabase::hasFamily(face) && QFontDatabase::isSmoothlyScalable(face);
        };
        return windowFontFamily(outline(QStringLiteral("MS Sans Serif")),
                                outline(QStringLiteral("Microsoft Sans Serif")));
    }();
    QFont font(family);
#else
    QFont font(QStringLiteral("Liberation Sans"));
#endif
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

qreal averageCharWidth(const QFontMetricsF& metrics) {
    return metrics.horizontalAdvance(QLatin1Char('x'));
}

QIcon applicationIcon() {
    return QIcon(QStringLiteral(":/icons/zevo.png"));
}

QString picturePath(int n) {
    return QStringLiteral(":/icons/toolbar/%1.png").arg(n, 2, 10, QLatin1Char('0'));
}

QIcon picture(int n) {
    if (n < 0 || n >= Picture::Count)
        return QIcon();
    return QIcon(picturePath(n));
}

QIcon boxPicture(BoxPicture kind) {
    const QString name = kind == BoxPicture::Information ? QStringLiteral("information")
                         : kind == BoxPicture::Critical  ? QStringLiteral("critical")
                                                         : QStringLiteral("question");
    QIcon icon;
    for (const QString& scale : {QString(), QStringLiteral("@2x"), QStringLiteral("@4x")})
        icon.addFile(QStringLiteral(":/icons/box/%1%2.png").arg(name, scale));
    return icon;
}

void setGroupBoxLook(QGroupBox* box) {
    // The classic style draws the caption on the frame line; one instance serves all.
    static QStyle* const style = [] {
        QStyle* s = QStyleFactory::create(QStringLiteral("Windows"));
        if (s)
            s->setParent(qApp);
        return s;
    }();
    if (style)
        box->setStyle(style);
}

} // namespace Look
