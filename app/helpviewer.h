#pragma once

#include <QStringList>
#include <QWidget>

class HelpFile;
class QPushButton;
class QTextBrowser;
class QUrl;

// Stands in for the platform's help viewer: opens the help file at its table
// of contents or at the topic of a context number, in a window of its own.
// It never fails towards the caller: a missing file or topic is explained
// inside the window and the application goes on.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // The path as the application hands it over, e.g. "hilfedateien\Zevo.hlp".
    void setHelpFile(const QString& path);
    void showContents();
    void showTopic(int contextNumber);
    // A topic by its key, e.g. "aufgaben" for the grading window.
    void showTopicKey(const QString& key);

    // The folder a relative help path is resolved against first; the folder of
    // the executable unless set.
    void setBaseDirectory(const QString& dir);
    // The key of the topic on show; empty while a message is shown instead.
    QString currentTopicKey() const { return m_currentKey; }

private:
    void buildWindow();
    void request(const QString& key, const QString& missingMessage);
    bool readHelpFile(HelpFile& file);
    void showPage(const QString& key, const QString& title, const QString& bodyHtml);
    void showMessage(const QString& title, const QString& bodyHtml);
    void followLink(const QUrl& url);
    void goBack();
    void present();

    QString m_helpFile;
    QString m_baseDir;
    QString m_currentKey;
    bool m_placed = false;
    QStringList m_history;
    QTextBrowser* m_text = nullptr;
    QPushButton* m_contentsButton = nullptr;
    QPushButton* m_backButton = nullptr;
};
