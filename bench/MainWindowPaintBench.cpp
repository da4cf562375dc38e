// Times full repaints of the main window drawn from the program's own skin,
// every page once, at 1600 x 1000, and counts the windows a hover repaints.
//
//   lexmoor-paint-bench [--rounds N] [--24bit]
//
// The window is painted into a picture of the screen's layout; --24bit paints
// into a 24-bit picture instead, as this benchmark once did.

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "platform/gui/Dialogs.h"

namespace {

// Counts the paint events each window receives.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++painted[watched];
        return false;
    }
    std::map<QObject*, int> painted;
};

double Milliseconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 20;
    bool packed = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--rounds" && i + 1 < argc) rounds = std::atoi(argv[i + 1]);
        if (std::string(argv[i]) == "--24bit") packed = true;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication application(argc, argv);
    TDialogScript::Activate(true);
    TForm1* form = application.CreateForm<TForm1>();
    form->SetWindowState(TWindowState::wsNormal);
    form->SetBounds(0, 0, 1600, 1000);
    form->SetVisible(true);
    for (TqlSkinTabSheet* page : {form->tsQuery, form->tsCount, form->tsColligate}) page->SetEnabled(true);
    QApplication::processEvents();

    TqlSkinTabSheet* pages[] = {form->tsSettings, form->tsQuery, form->tsCount, form->tsColligate, form->tsNGram,
                                form->tsAbout};
    // Painted in the screen's own layout, as a window is.
    TBitmap target;
    target.SetPixelFormat(packed ? TPixelFormat::pf24bit : TPixelFormat::pfDevice);
    target.SetSize(1600, 1000);
    double total = 0;
    for (TqlSkinTabSheet* page : pages) {
        form->qlSkinPageControl1->SetActivePage(page);
        form->PaintTo(target.Canvas(), 0, 0);  // warm-up: fonts and caches
        // The median of the rounds: the machine's other work shows in the mean.
        std::vector<double> times;
        for (int r = 0; r < rounds; ++r) {
            auto start = std::chrono::steady_clock::now();
            form->PaintTo(target.Canvas(), 0, 0);
            times.push_back(Milliseconds(start));
        }
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        total += median;
        std::printf("page %-10s %7.2f ms per repaint (median; fastest %.2f)\n", page->Caption().c_str(), median,
                    times.front());
    }
    std::printf("every page once: %.2f ms (%d pages, 1600x1000, medians of %d rounds)\n", total,
                int(std::size(pages)), rounds);

    // The share of the skinned push buttons: each painted alone at its size.
    std::vector<TqlSkinButton*> buttons;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* b = dynamic_cast<TqlSkinButton*>(form->Components(i))) buttons.push_back(b);
    auto buttonsStart = std::chrono::steady_clock::now();
    for (int r = 0; r < rounds; ++r)
        for (TqlSkinButton* b : buttons) {
            TBitmap face(b->Width(), b->Height());
            b->PaintTo(face.Canvas(), 0, 0);
        }
    std::printf("the %d skinned push buttons alone: %.3f ms per repaint of them all\n", int(buttons.size()),
                Milliseconds(buttonsStart) / rounds);

    // A hover repaints the control under the pointer and nothing else.
    form->qlSkinPageControl1->SetActivePage(form->tsSettings);
    // Nothing focused blinks a caret, and every pending paint is done first.
    form->btnFilter->SetFocus();
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    TqlSkinButton* button = form->btnChoseDir;
    auto start = std::chrono::steady_clock::now();
    button->Perform(CM_MOUSEENTER);
    QApplication::processEvents();
    const double hover = Milliseconds(start);
    qApp->removeEventFilter(&counter);
    int others = 0;
    for (auto& [window, n] : counter.painted)
        if (window != button->Widget()) {
            others += n;
            std::printf("  also painted: %s %s\n", window->metaObject()->className(), window->objectName().toUtf8().constData());
        }
    std::printf("hover on %s: %.2f ms, %d paint(s) of the button, %d of other windows\n", button->Name.c_str(), hover,
                counter.painted[button->Widget()], others);
    return 0;
}
