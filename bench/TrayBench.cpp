// What one redraw of the tray face costs: the rendering core alone (fixed-metric renderer),
// the core on the Qt renderer, and a whole text change on the Linux platform (render, convert,
// hand to the tray icon). The face changes once a minute, and once a second while blinking.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "platform/fake/FakePlatform.h"
#include "platform/linux/LinuxPlatform.h"
#include "tray/TextTrayIcon.h"

namespace {

void FaceOnFakeRenderer(benchmark::State& state) {
    platform::fake::FakePlatform fp;
    ui::TFont font;
    tray::TTextFace face{u"45", &font, ui::clWhite, false, ui::clBlack, 0, 0, 0};
    tray::TTextBitmap bmp;
    for (auto _ : state) {
        tray::PaintTextBitmap(face, bmp, fp.rasterizerFake);
        benchmark::DoNotOptimize(tray::BitmapToIconImage(bmp, ui::clNone));
    }
}
BENCHMARK(FaceOnFakeRenderer);

void FaceOnQtRenderer(benchmark::State& state) {
    platform::linux_::LinuxPlatform p;
    ui::TFont font;
    font.SetName(u"Small Fonts");
    font.SetHeight(-9);
    tray::TTextFace face{u"45", &font, ui::clWhite, false, ui::clBlack, 0, 0, 0};
    tray::TTextBitmap bmp;
    for (auto _ : state) {
        tray::PaintTextBitmap(face, bmp, p.rasterizer());
        benchmark::DoNotOptimize(tray::BitmapToIconImage(bmp, ui::clNone));
    }
}
BENCHMARK(FaceOnQtRenderer);

void TextChangeOnLinux(benchmark::State& state) {
    platform::linux_::LinuxPlatform p;
    ui::TComponent form(nullptr);
    auto* icon = new tray::TTextTrayIcon(&form);
    icon->SetColor(ui::clWhite);
    icon->SetIconVisible(true);
    int minutes = 0;
    for (auto _ : state) {
        icon->SetText(minutes % 2 ? u"45" : u"44");  // a new face every time
        ++minutes;
    }
}
BENCHMARK(TextChangeOnLinux);

}  // namespace

int main(int argc, char** argv) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
