#include "look.h"
#include "zevoversion.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QStyle>
#include <QStyleFactory>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cwchar>

namespace {
int CALLBACK noteOutline(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM found) {
    if (type & TRUETYPE_FONTTYPE)
        *reinterpret_cast<bool*>(found) = true;
    return 1;
}

// Asked of Windows itself, as no Qt font database exists yet.
bool outlineFaceExists(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(screen, &wanted, noteOutline, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}
} // namespace
#endif

namespace Look {

bool usesStandInOnWindows() {
#ifdef Q_OS_WIN
    return windowFontFamily(outlineFaceExists(L"MS Sans Serif"),
                            outlineFaceExists(L"Microsoft Sans Serif")) ==
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
