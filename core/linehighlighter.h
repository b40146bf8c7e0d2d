#pragma once

#include <QtGlobal>

// Marks the program line that runs next (the editor selects it).
class LineHighlighter {
public:
    virtual ~LineHighlighter() = default;
    virtual void HighlightLine(qint32 n) = 0;
};
