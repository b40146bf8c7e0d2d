#pragma once

// Small helpers shared by the benchmarks: silent dialogs, medians, clocks and
// the process's resident memory.

#include "dialogs.h"

#include <QFile>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace bench {

// Every box answers at once; the open dialog answers with a scripted name.
class SilentDialogs final : public Dialogs {
public:
    void information(const QString&) override {}
    void error(const QString&, int) override {}
    bool confirm(const QString&) override { return true; }
    void showError(const QString& text) override {
        std::fprintf(stderr, "error display: %s\n", qPrintable(text));
    }
    QString openFileName(const QString&) override { return openAnswer; }
    QString saveFileName(const QString&) override { return {}; }
    QPrinter* choosePrinter(const QString&) override { return nullptr; }
    void helpContents() override {}
    void helpTopic(int) override {}
    void beep() override {}

    QString openAnswer;
};

template <typename T> T median(std::vector<T> values) {
    if (values.empty())
        return T{};
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Nanoseconds of CPU time used by the calling thread.
inline qint64 threadCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Resident memory in KiB (VmRSS), 0 where /proc is missing.
inline qint64 residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// The first figure of /proc/loadavg, so every printed figure carries its load.
inline QString loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(file.readAll().split(' ').value(0));
}

} // namespace bench
