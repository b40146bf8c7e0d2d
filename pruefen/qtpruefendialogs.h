#pragma once

#include "pruefendialogs.h"

#include <QPointer>

class HelpViewer;
class QWidget;

// The real dialogs of the grading window, German whatever the platform's language.
class QtPruefenDialogs final : public PruefenDialogs {
public:
    explicit QtPruefenDialogs(HelpViewer& helpViewer);

    void setParentWindow(QWidget* window) { m_parent = window; }

    void showError(const QString& message) override;
    QString openTaskFile() override;
    QStringList openProgramFiles() override;
    QString chooseFolder() override;
    std::optional<SaveChoice> saveResultsFile() override;
    void helpTopic(const QString& key) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;

    // The save dialog's filters, the workbook's first.
    static QStringList resultFilters();

private:
    QWidget* parent() const;

    HelpViewer& m_help;
    QPointer<QWidget> m_parent;
    QString m_folder; // where the next file dialog opens, shared by all of them
};
