#include "helpviewer.h"

#include "helpfile.h"
#include "look.h"
#include "screenfit.h"

#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <exception>

// The help file "Zevo.hlp" is UTF-8 text of our own making:
//
//   #topic <key> <title>   starts a topic; <key> is one word: a context number
//                          ("1" to "8") or a name ("inhalt" is the table of
//                          contents). The title shows as heading and caption.
//   ## remark              a line for the author only; never shown.
//   anything else          the topic's body, HTML as QTextBrowser renders it.
//                          <a href="topic:KEY"> links to another topic.
//
// Lines before the first "#topic" are ignored. When a key appears twice, the
// first topic counts.
//
// The file is read anew at every request: it is small, and a file that is
// installed or fixed while the application runs is then picked up.

namespace {

const QString kTopicScheme = QStringLiteral("topic");

QString quoted(const QString& text) {
    return QStringLiteral("„%1“").arg(text.toHtmlEscaped());
}

QString contentsLink() {
    return QStringLiteral("<p><a href=\"topic:%1\">Zum Inhaltsverzeichnis</a></p>")
        .arg(HelpFile::contentsKey);
}

} // namespace

// Stays on top as the protocol window does, whose "Hilfe" opens it: it
// comes up above that window and stays usable beside it.
HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("HelpViewer"));
    buildWindow();
}

void HelpViewer::buildWindow() {
    setWindowTitle(QStringLiteral("Zevo-Hilfe"));
    resize(600, 520);

    m_contentsButton = new QPushButton(QStringLiteral("&Inhalt"), this);
    m_contentsButton->setObjectName(QStringLiteral("HelpContentsButton"));
    m_backButton = new QPushButton(QStringLiteral("&Zurück"), this);
    m_backButton->setObjectName(QStringLiteral("HelpBackButton"));
    m_backButton->setEnabled(false);

    m_text = new QTextBrowser(this);
    m_text->setObjectName(QStringLiteral("HelpText"));
    // Links are ours to follow: they name topics, not files or web pages.
    m_text->setOpenLinks(false);
    m_text->setOpenExternalLinks(false);
    // The examples' face by name: "monospace" alone gave a serif face on Windows.
    m_text->document()->setDefaultStyleSheet(
        QStringLiteral("pre { background-color: %1; font-family: '%2', monospace; }"
                       "code { font-family: '%2', monospace; }"
                       "th { background-color: #e8e8e8; }")
            .arg(Look::Cream.name(), Look::fixedFontFamily()));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_contentsButton);
    buttons->addWidget(m_backButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_text);

    connect(m_contentsButton, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(m_backButton, &QPushButton::clicked, this, &HelpViewer::goBack);
    connect(m_text, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
}

void HelpViewer::setHelpFile(const QString& path) {
    m_helpFile = path;
}

void HelpViewer::setBaseDirectory(const QString& dir) {
    m_baseDir = dir;
}

void HelpViewer::showContents() {
    request(HelpFile::contentsKey, QString());
}

void HelpViewer::showTopic(int contextNumber) {
    request(QString::number(contextNumber),
            QStringLiteral("<p>Zur Kontextnummer %1 enthält die Hilfedatei kein Thema.</p>")
                .arg(contextNumber));
}

void HelpViewer::showTopicKey(const QString& key) {
    request(key, QString());
}

void HelpViewer::request(const QString& key, const QString& missingMessage) {
    // Called from slots of the windows: nothing may leave this function.
    try {
        HelpFile file;
        if (readHelpFile(file)) {
            if (const HelpTopic* topic = file.topic(key)) {
                showPage(topic->key, topic->title, topic->body);
            } else if (key == HelpFile::contentsKey) {
                // Without a contents page every topic is still reachable.
                QString list = QStringLiteral("<ul>");
                for (const HelpTopic& t : file.topics())
                    list += QStringLiteral("<li><a href=\"topic:%1\">%2</a></li>")
                                .arg(t.key.toHtmlEscaped(), t.title.toHtmlEscaped());
                list += QStringLiteral("</ul>");
                showMessage(
                    QStringLiteral("Kein Inhaltsverzeichnis"),
                    QStringLiteral("<p>Die Hilfedatei enthält kein Inhaltsverzeichnis.</p>") +
                        (file.topics().isEmpty()
                             ? QStringLiteral("<p>Sie enthält auch keine Themen.</p>")
                             : QStringLiteral("<p>Vorhandene Themen:</p>") + list));
            } else {
                showMessage(
                    QStringLiteral("Thema nicht gefunden"),
                    (missingMessage.isEmpty()
                         ? QStringLiteral("<p>Das Thema %1 gibt es in der Hilfedatei nicht.</p>")
                               .arg(quoted(key))
                         : missingMessage) +
                        (file.topic(HelpFile::contentsKey) ? contentsLink() : QString()));
            }
        }
    } catch (const std::exception&) {
        try {
            showMessage(QStringLiteral("Fehler"),
                        QStringLiteral("<p>Die Hilfe konnte nicht angezeigt werden.</p>"));
        } catch (...) {
        }
    }
    present();
}

bool HelpViewer::readHelpFile(HelpFile& file) {
    const QString shownName = quoted(m_helpFile);
    if (m_helpFile.isEmpty()) {
        showMessage(QStringLiteral("Keine Hilfedatei"),
                    QStringLiteral("<p>Es ist keine Hilfedatei eingestellt.</p>"));
        return false;
    }
    const QString baseDir =
        m_baseDir.isEmpty() ? QCoreApplication::applicationDirPath() : m_baseDir;
    const QString path = HelpFile::resolve(m_helpFile, baseDir);
    if (path.isEmpty()) {
        QString places = QStringLiteral("<ul>");
        for (const QString& candidate : HelpFile::candidates(m_helpFile, baseDir))
            places += QStringLiteral("<li>%1</li>").arg(candidate.toHtmlEscaped());
        places += QStringLiteral("</ul>");
        showMessage(QStringLiteral("Hilfedatei nicht gefunden"),
                    QStringLiteral("<p>Die Hilfedatei %1 wurde nicht gefunden.</p>"
                                   "<p>Gesucht wurde hier:</p>%2"
                                   "<p>Zevo arbeitet ohne die Hilfe normal weiter.</p>")
                        .arg(shownName, places));
        return false;
    }
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly)) {
        showMessage(QStringLiteral("Hilfedatei nicht lesbar"),
                    QStringLiteral("<p>Die Hilfedatei %1 konnte nicht gelesen werden:</p>"
                                   "<p>%2</p>"
                                   "<p>Zevo arbeitet ohne die Hilfe normal weiter.</p>")
                        .arg(shownName, path.toHtmlEscaped()));
        return false;
    }
    file = HelpFile::parse(QString::fromUtf8(source.readAll()));
    return true;
}

void HelpViewer::showPage(const QString& key, const QString& title, const QString& bodyHtml) {
    if (!m_currentKey.isEmpty() && m_currentKey != key) {
        m_history.append(m_currentKey);
        m_backButton->setEnabled(true);
    }
    m_currentKey = key;
    setWindowTitle(QStringLiteral("Zevo-Hilfe: %1").arg(title));
    m_text->setHtml(QStringLiteral("<h2>%1</h2>%2").arg(title.toHtmlEscaped(), bodyHtml));
}

void HelpViewer::showMessage(const QString& title, const QString& bodyHtml) {
    // The page that was on show stays reachable with "Zurück".
    if (!m_currentKey.isEmpty()) {
        m_history.append(m_currentKey);
        m_backButton->setEnabled(true);
    }
    m_currentKey.clear();
    setWindowTitle(QStringLiteral("Zevo-Hilfe: %1").arg(title));
    m_text->setHtml(QStringLiteral("<h2>%1</h2>%2").arg(title.toHtmlEscaped(), bodyHtml));
}

void HelpViewer::followLink(const QUrl& url) {
    if (url.scheme() == kTopicScheme)
        request(url.path(), QString());
}

void HelpViewer::goBack() {
    if (m_history.isEmpty())
        return;
    const QString key = m_history.takeLast();
    m_currentKey.clear(); // going back must not put the page we leave on the stack
    request(key, QString());
    m_backButton->setEnabled(!m_history.isEmpty());
}

void HelpViewer::present() {
    if (!isVisible()) {
        // Enlarged, the viewer's usual size can be taller than the screen.
        ScreenFit::fitSize(*this);
        // Left to the window manager, the first showing landed wherever there
        // was room beside Zevo's other windows, partly below the screen's edge:
        // it starts in the middle of the available area, and every showing
        // keeps its frame inside that area.
        if (!m_placed) {
            if (const QScreen* screen = this->screen()) {
                QRect area(QPoint(), size());
                area.moveCenter(screen->availableGeometry().center());
                move(area.topLeft());
            }
            m_placed = true;
        }
        ScreenFit::placeInside(*this);
    }
    show();
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}
