#include "navigation.h"

#include "programtext.h"

qint32 FindFirstInstructionLine(const ProgramText& program) {
    // Past the end the text is empty, so the loop always stops.
    qint32 i = 0;
    while (isComment(program.lineText(i)))
        ++i;
    return i;
}

qint32 SuccessorLine(const ProgramText& program, qint32 current) {
    const qint32 count = program.lineCount();
    qint32 i = current < count ? current + 1 : current; // a step never stands past the end
    while (i < count && isComment(trimmedView(program.lineText(i))))
        ++i;
    return i;
}

qint32 FindTargetLine(const ProgramText& program, QStringView target) {
    const qint32 count = program.lineCount();
    // Lines at count and count + 1 are empty and never match a non-empty target.
    if (!target.isEmpty()) {
        for (qint32 i = 0; i < count; ++i) {
            if (trimmedView(program.lineText(i)).startsWith(target))
                return i;
        }
    }
    return count + 1;
}
