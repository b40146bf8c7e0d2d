#pragma once

// The main window as the window tests build it: the three windows as main()
// makes them, with scripted dialogs and a clocked wait that takes no time.

#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "applicationsetup.h"
#include "fakedialogs.h"
#include "fakes.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <functional>

// The main window with the clocked wait replaced: no real time passes, and a
// test can act at a given wait, as a user would during a run.
class TestWindow : public THauptformular {
public:
    using THauptformular::THauptformular;
    void sleep10ms() override {
        ++sleeps;
        if (onSleep)
            onSleep(sleeps);
    }
    int sleeps = 0;
    std::function<void(int)> onSleep;
};

// The three windows as main() builds them, the main window shown and active.
struct Application {
    FakeDialogs dialogs;
    TestWindow window{dialogs};
    TProtokollFormular protocol{dialogs};
    TOptionenFormular options;

    Application() {
        window.attach(protocol, options);
        window.show();
        activate(&window);
    }
    static void activate(QWidget* w) {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    QAction* item(const char* name) const { return window.command(QString::fromLatin1(name)); }
    QToolButton* button(const char* name) const {
        return window.findChild<QToolButton*>(QString::fromLatin1(name));
    }
    bool enabled(const char* name) const { return item(name)->isEnabled(); }
    void typeProgram(const QStringList& lines) {
        window.ProgramMemo->setFocus();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(window.ProgramMemo, Qt::Key_Return);
            QTest::keyClicks(window.ProgramMemo, lines[i]);
        }
    }
    QStringList boxes() const {
        QStringList result;
        for (const QString& entry : dialogs.log) {
            if (entry.startsWith(QLatin1String("information:")) ||
                entry.startsWith(QLatin1String("error:")))
                result << entry;
        }
        return result;
    }
};

inline QString plain(const QString& caption) {
    QString text = caption;
    return text.remove(u'&');
}

inline const QStringList RunItems = {"ProgrammStart", "ProgrammStop", "Einzelschritt"};

// The rate as the window shows it, with the user's decimal separator
// (a comma where the machine says nothing, as on a bare Linux session).
inline QString rate(const char* text) {
    return QString::fromLatin1(text).replace(u',', userNumberLocale().decimalPoint());
}
