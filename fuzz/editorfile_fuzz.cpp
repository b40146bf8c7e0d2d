#include "fuzzcheck.h"
#include "fuzztargets.h"

#include "RMProgramEditor.h"
#include "codepage.h"
#include "linelist.h"
#include "programfile.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace editorfilefuzz {
namespace {

QString hexOf(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.left(200).toHex(' '));
}

// Saving writes the bytes back; loading reads the text unchanged.
void checkDisk(const QByteArray& bytes) {
    static QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid(), dir.errorString());
    const QString path = dir.filePath(QStringLiteral("fuzz.rmp"));
    const QString text = decodeWindows1252(bytes);
    ProgramFile::save(path, text);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly), path);
    FUZZ_CHECK(file.readAll() == bytes, hexOf(bytes));
    FUZZ_CHECK(ProgramFile::load(path) == text, hexOf(bytes));
}

// The editor's whole text after a load is the file's text with CR LF line ends,
// so saving it writes the file back as the format says.
void checkEditor(const QByteArray& bytes) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    static TRMProgramEditor* editor = new TRMProgramEditor; // lives until exit
    const QString text = decodeWindows1252(bytes);
    editor->replaceWholeText(text);
    const QString shown = editor->wholeText();
    FUZZ_CHECK(shown == withCrLfLineEnds(text),
               hexOf(bytes) + QStringLiteral(" came back as ") + hexOf(encodeWindows1252(shown)));
    FUZZ_CHECK(encodeWindows1252(shown) == encodeWindows1252(withCrLfLineEnds(text)), hexOf(bytes));
}

} // namespace

int fuzzOne(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkDisk(bytes);
    checkEditor(bytes);
    return 0;
}

} // namespace editorfilefuzz
