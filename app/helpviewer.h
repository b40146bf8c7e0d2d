#pragma once

#include <QWidget>

// Stands in for the platform's help viewer: opens the help file at its table
// of contents or at the topic of a context number, in a window of its own.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // The path as the application hands it over, e.g. "hilfedateien\Zevo.hlp".
    void setHelpFile(const QString& path);
    void showContents();
    void showTopic(int contextNumber);

private:
    QString m_helpFile;
};
