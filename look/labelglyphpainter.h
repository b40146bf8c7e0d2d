#pragma once

#include "shapedtext.h"

#include <QObject>

class QLabel;

// Paints a label's one line of plain, centred text from kept glyphs instead of
// letting the label shape it on every paint: the same pixels, for a label
// whose text changes on every step of a run (the step counter). A label in
// any other state (a frame, a picture, rich or wrapped text, another
// alignment, margins) paints itself as always.
class LabelGlyphPainter final : public QObject {
public:
    // Watches label's paint events for as long as it lives.
    static void install(QLabel* label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit LabelGlyphPainter(QLabel* label);
    bool paint(QLabel& label);

    ShapedTextCache m_shapes;
};
