// How much processor time the program takes with the fader page shown while
// a show plays: runs the real main window (offscreen or under Xvfb) with the
// output tick writing to a fake interface, steps through the scenes twice a
// second as the sequencer does, and prints the process's CPU time over the
// measured span as a percentage of one core.
//
// usage: velantra_cpu_usage [SECONDS]   (default 30)
#include "app/base.h"
#include "shell/dialogs.h"
#include "tests/testing/fake_d2xx.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace velantra;
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: velantra_cpu_usage [SECONDS]\n");
        return 2;
    }

    auto device = std::make_unique<FakeD2xx>();
    device->attach();
    device->setRecordLimit(0);
    TBaseForm form(std::move(device));
    form.show();
    Engine& e = form.engine();
    e.memory.set(CellLastScene, 7);
    for (int s = 0; s <= 7; ++s) {
        for (int c = 1; c <= 255; ++c) {
            e.DataWrite(static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(c), (c * 37 + s * 61) % 256);
        }
    }
    form.pageControlInput()->setCurrentIndex(TBaseForm::PageFaders);
    form.ReturnPageControlAll();

    // The show plays at the new show's tempo (44: a step every 44 * 44 ms)
    // with the sequencer's glide, so the output levels move all the time.
    const int interval = e.memory.get(CellTempo) * e.memory.get(CellTempo);
    e.controls.rateMode.store(RateMode::Automat);
    e.shared.playMode.store(1);
    QTimer step;
    QObject::connect(&step, &QTimer::timeout, &form, [&] {
        const auto from = e.memory.get(CellScene);
        const auto to = static_cast<std::uint8_t>((from + 1) % 8);
        const int q = std::clamp(interval / 50, 1, 255);
        for (int c = 1; c <= 255; ++c) {
            const int d = std::abs(int(e.DataRead(to, static_cast<std::uint8_t>(c))) -
                                   int(e.DataRead(from, static_cast<std::uint8_t>(c))));
            e.seqStep.set(static_cast<std::size_t>(c - 1), static_cast<std::uint8_t>(std::max(d / q, 1)));
        }
        e.memory.set(CellScene, to);
        form.ReturnPageControlAll();
    });
    step.start(interval);

    // Let start-up settle, then measure.
    double cpuStart = 0;
    QElapsedTimer wall;
    QTimer::singleShot(2000, &form, [&] {
        cpuStart = cpuSeconds();
        wall.start();
        QTimer::singleShot(seconds * 1000, &form, [&] {
            const double cpu = cpuSeconds() - cpuStart;
            const double elapsed = double(wall.elapsed()) / 1000.0;
            std::printf("fader page shown, show playing: %.2f s CPU in %.1f s = %.2f %% of one core\n", cpu, elapsed,
                        100.0 * cpu / elapsed);
            setDialogAnswerer([](QDialog&) { return 0; });
            form.close();
            QApplication::quit();
        });
    });
    return QApplication::exec();
}
