#include "helpviewer.h"

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpViewer"));
}

void HelpViewer::setHelpFile(const QString& path) { m_helpFile = path; }
void HelpViewer::showContents() { show(); }
void HelpViewer::showTopic(int) { show(); }
