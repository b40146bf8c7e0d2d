#include "look.h"
#include "zevoversion.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QStyle>
#include <QStyleFactory>

namespace Look {

QString applicationTitle() {
    return QStringLiteral("Zevo " ZEVO_VERSION);
}

QFont windowFont() {
#ifdef Q_OS_WIN
    // Windows has the face itself; the stand-in only where it was removed.
    static const bool hasSystemFace = QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif"));
    QFont font(hasSystemFace ? QStringLiteral("MS Sans Serif") : QStringLiteral("Liberation Sans"));
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
