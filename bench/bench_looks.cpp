// The look of the windows after a clocked run, saved as PNG files, to compare
// the pixels of two builds after a change to painting:
//
//   bench_looks DIR [steps]     (steps default 300)
//   QT_SCALE_FACTOR=2 bench_looks DIR     the same at zoom 2
//
// Runs the loop of bench_rate at 100,0 Hz with "Register- und
// Befehlsprotokoll" of 51 registers, then saves what is on screen (every
// partial repaint of the run) and a fresh render of the main window, the
// protocol window and the register grid; then the editor with a line
// highlighted, and the protocol with all of it selected and scrolled. Prints one line per file.
#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "benchsupport.h"
#include "benchwindows.h"
#include "protocolview.h"
#include "radiogroup.h"
#include "tRegisterEditor.h"
#include "updownarrows.h"

#include <QApplication>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>

namespace {

class CountedWindow final : public THauptformular {
public:
    CountedWindow(Dialogs& dialogs, int steps) : THauptformular(dialogs), m_steps(steps) {}
    void sleep10ms() override {
        THauptformular::sleep10ms();
        if (++m_slept >= m_steps)
            ProgrammStopClick();
    }

private:
    int m_steps;
    int m_slept = 0;
};

// What the window's backing store holds, cut to the widget, in device pixels.
QImage onScreen(QWidget* w) {
    QWidget* top = w->window();
    const QImage whole = w->screen()->grabWindow(top->winId()).toImage();
    const qreal ratio = qreal(whole.width()) / top->width();
    const QPoint at = w->mapTo(top, QPoint(0, 0));
    return whole
        .copy(QRectF(at.x() * ratio, at.y() * ratio, w->width() * ratio, w->height() * ratio)
                  .toRect())
        .convertToFormat(QImage::Format_RGB32);
}

void save(const QDir& dir, const QString& name, const QImage& image) {
    const QString file = dir.filePath(name + QStringLiteral(".png"));
    image.save(file);
    const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    std::printf("%s %dx%d %s\n", qPrintable(name), image.width(), image.height(),
                QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(12).data());
}

void saveBoth(const QDir& dir, const QString& name, QWidget* w) {
    save(dir, name + QStringLiteral("-screen"), onScreen(w));
    save(dir, name + QStringLiteral("-fresh"),
         w->grab().toImage().convertToFormat(QImage::Format_RGB32));
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "bench_looks DIR [steps]\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.path());
    const int steps = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 300;

    bench::SilentDialogs dialogs;
    bench::Windows<CountedWindow> windows(dialogs, steps);
    auto& window = windows.window;
    auto& protocol = windows.protocol;
    windows.options.ProtokollartRadioGroup->setItemIndex(1);
    windows.options.UpDown->setPosition(50);
    windows.options.RegistermarkierenCheckBox->setChecked(true);
    windows.options.ProgrammzeilemarkierenCheckBox->setChecked(true);
    window.show();
    protocol.show();
    window.ProgramMemo->setPlainText(QStringLiteral(
        "// Zählschleife\n10 cload 0\n20 cadd 1\n30 store 7\n40 cmult 1\n50 store 50\n60 goto 20"));
    window.TaktrateTrackBar->setValue(4615);
    QApplication::processEvents();
    window.ProgrammResetClick();
    window.ProgrammStartClick();
    QApplication::processEvents();

    saveBoth(dir, QStringLiteral("main"), &window);
    saveBoth(dir, QStringLiteral("protocol"), &protocol);
    saveBoth(dir, QStringLiteral("grid"), window.RegisterEditor);

    // A highlighted line drawn over one drawn before: the editor's selection.
    window.ProgramMemo->markLineKeepingFocus(2);
    QApplication::processEvents();
    window.ProgramMemo->markLineKeepingFocus(3);
    QApplication::processEvents();
    saveBoth(dir, QStringLiteral("editor-marked"), window.ProgramMemo);

    protocol.ProtokollMemo->setFocus();
    protocol.ProtokollMemo->selectAll();
    protocol.ProtokollMemo->horizontalScrollBar()->setValue(137);
    protocol.ProtokollMemo->verticalScrollBar()->setValue(3);
    window.RegisterEditor->verticalScrollBar()->setValue(30);
    QApplication::processEvents();
    saveBoth(dir, QStringLiteral("protocol-selected"), &protocol);
    saveBoth(dir, QStringLiteral("grid-scrolled"), window.RegisterEditor);
    return 0;
}
