#pragma once

#include "highlightrule.h"
#include "linehighlighter.h"
#include "runcontrol.h"

#include <QStringList>
#include <functional>
#include <map>

// A window side with a virtual clock: sleep10ms advances time without waiting,
// and actions scheduled for a moment run when messages are processed then.
// As the session's sink it logs each entry with the session's current line.
class FakeRunWindow : public RunWindow, public ProtocolSink {
public:
    void stepCountChanged(qint32 n) override { counter = n; }
    // The highlight by the main window's rule.
    void lineReached(qint32 line) override {
        if (highlighter && settings)
            highlightIfWanted(*settings, line, [this](qint32 n) { highlighter->HighlightLine(n); });
    }
    void SetCommandStates(const CommandFlags& f) override { flags = f; }
    void startProtocol(const QString&) override { protocol.clear(); protocol << "heading"; }
    void appendEntry(std::span<const QString>) override {
        if (onActualize)
            onActualize();
        protocol << QStringLiteral("entry@%1").arg(session->CurrentLine);
    }
    void SetMarkChanges(bool on) override { markChanges = on; }
    int sliderPosition() const override { return slider; }
    void focusEditor() override { ++focusCount; }
    void processPendingMessages() override {
        ++processCount;
        while (!scheduled.empty() && scheduled.begin()->first <= nowMs) {
            auto action = scheduled.begin()->second;
            scheduled.erase(scheduled.begin());
            action();
        }
    }
    void sleep10ms() override { nowMs += 10; ++sleeps; }

    void at(qint64 ms, std::function<void()> action) { scheduled.emplace(ms, std::move(action)); }
    bool enabled(CommandGroup g) const { return flags[std::size_t(g)]; }

    qint32 counter = 0;
    CommandFlags flags{};
    QStringList protocol;
    bool markChanges = false;
    int slider = SliderInitial;
    int focusCount = 0;
    int processCount = 0;
    int sleeps = 0;
    qint64 nowMs = 0;
    std::multimap<qint64, std::function<void()>> scheduled;
    std::function<void()> onActualize;
    const WindowRun* session = nullptr;
    LineHighlighter* highlighter = nullptr;
    const Settings* settings = nullptr;
};
