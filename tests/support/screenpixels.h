#pragma once

// The pixels a widget shows, for tests that check incremental repaints: what is
// on screen (the window's backing store with every partial paint so far, as the
// offscreen platform keeps it) against a render of the whole widget afresh.

#include <QImage>
#include <QScreen>
#include <QWidget>

inline QImage onScreen(QWidget* w) {
    const QPoint at = w->mapTo(w->window(), QPoint(0, 0));
    return w->screen()
        ->grabWindow(w->window()->winId(), at.x(), at.y(), w->width(), w->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

inline QImage freshRender(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
