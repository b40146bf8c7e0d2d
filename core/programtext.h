#pragma once

#include <QString>

// The program as the interpreter sees it: lines as the editor lays them out,
// indexed from 0. Reading at or past the end (or before the start) yields the
// empty text; the searches rely on that.
class ProgramText {
public:
    virtual ~ProgramText() = default;
    virtual qint32 lineCount() const = 0;
    virtual QString lineText(qint32 n) const = 0;
};
