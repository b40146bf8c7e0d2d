#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One page of the help file: a key ("inhalt", "befehle", or a context number
// such as "5"), a title for the window and the heading, and an HTML body.
struct HelpTopic {
    QString key;
    QString title;
    QString body;
};

// The application's help file: where it lies and what it holds. Pure, so the
// viewer can be tested without the file system of an installed program.
class HelpFile {
public:
    static inline const QString contentsKey = QStringLiteral("inhalt");

    // The path arrives in the application's own notation ("hilfedateien\Zevo.hlp");
    // the backslash becomes the separator of this platform.
    static QString localPath(const QString& helpPath);
    // Where a relative path is looked for, in this order: beside the executable,
    // then in the installed data folder <exeDir>/../share/zevo.
    static QStringList candidates(const QString& helpPath, const QString& exeDir);
    // The first candidate that is a file, or the empty text.
    static QString resolve(const QString& helpPath, const QString& exeDir);

    // Splits the text into topics; text before the first topic line is ignored.
    static HelpFile parse(const QString& text);

    const HelpTopic* topic(const QString& key) const;
    const QList<HelpTopic>& topics() const { return m_topics; }

private:
    QList<HelpTopic> m_topics;
};
