#include "registertexts.h"

#include "integertext.h"
#include "syntax.h"

RegisterTexts::RegisterTexts() = default;

void RegisterTexts::setText(qint32 n, const QString& text) {
    Cell& cell = m_cells.at(std::size_t(n));
    cell.typed = true;
    cell.text = text;
}

QString RegisterTexts::text(qint32 n) const {
    const Cell& cell = m_cells.at(std::size_t(n));
    return cell.typed ? cell.text : QString::number(cell.value);
}

qint32 RegisterTexts::ReadRegister(qint32 n) const {
    if (!IsValidRegister(n))
        return parseInteger(QString()); // no such row reads as the empty text
    const Cell& cell = m_cells[std::size_t(n)];
    return cell.typed ? parseInteger(cell.text) : cell.value;
}

void RegisterTexts::WriteRegister(qint32 n, qint32 value) {
    if (!IsValidRegister(n))
        return; // the interpreter checks every number before it writes
    Cell& cell = m_cells[std::size_t(n)];
    cell.value = value;
    cell.typed = false;
    cell.text.clear();
}
