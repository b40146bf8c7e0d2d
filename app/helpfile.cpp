#include "helpfile.h"

#include <QDir>
#include <QFileInfo>

QString HelpFile::localPath(const QString& helpPath) {
    QString path = helpPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(path);
}

QStringList HelpFile::candidates(const QString& helpPath, const QString& exeDir) {
    const QString path = localPath(helpPath);
    if (path.isEmpty())
        return {};
    if (QDir::isAbsolutePath(path))
        return {path};
    const QDir dir(exeDir);
    return {QDir::cleanPath(dir.filePath(path)),
            QDir::cleanPath(dir.filePath(QStringLiteral("../share/zevo/") + path))};
}

QString HelpFile::resolve(const QString& helpPath, const QString& exeDir) {
    for (const QString& candidate : candidates(helpPath, exeDir)) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

HelpFile HelpFile::parse(const QString& text) {
    static const QString marker = QStringLiteral("#topic ");
    HelpFile file;
    qsizetype current = -1; // an index: appending may move the topics
    QStringList body;
    const auto finish = [&] {
        if (current >= 0)
            file.m_topics[current].body = body.join(QLatin1Char('\n'));
        body.clear();
    };
    for (const QString& rawLine : text.split(QLatin1Char('\n'))) {
        QString line = rawLine;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(marker)) {
            finish();
            const QString rest = line.mid(marker.size()).trimmed();
            const qsizetype space = rest.indexOf(QLatin1Char(' '));
            HelpTopic topic;
            topic.key = space < 0 ? rest : rest.left(space);
            topic.title = space < 0 ? rest : rest.mid(space + 1).trimmed();
            file.m_topics.append(topic);
            current = file.m_topics.size() - 1;
        } else if (current >= 0 && !line.startsWith(QStringLiteral("##"))) {
            body.append(line);
        }
    }
    finish();
    return file;
}

const HelpTopic* HelpFile::topic(const QString& key) const {
    // The first topic of a key wins, so a duplicate further down cannot hide it.
    for (const HelpTopic& t : m_topics) {
        if (t.key == key)
            return &t;
    }
    return nullptr;
}
