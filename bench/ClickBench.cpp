// From a click on a column to the painted window, with "Animation" off: the
// ball must be on the screen well within one frame (16.7 ms at 60 Hz).

#include "BoardMirror.h"
#include "CommandPanel.h"
#include "MainFrm.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <random>

namespace {

vorni::MainFrm *g_window = nullptr;

void click(const QWidget *target)
{
    QTest::mouseClick(g_window->windowHandle(), Qt::LeftButton, {}, target->mapTo(g_window, target->rect().center()));
}

void BM_ClickToFrame(benchmark::State &state)
{
    const auto *commands = g_window->findChild<vorni::CommandPanel *>();
    const vorni::Game &game = g_window->findChild<vorni::BoardMirror *>()->game();
    if (commands->animation())
        click(commands->caption(vorni::Command::Animation));
    std::mt19937 random(3);
    for (auto _ : state) {
        state.PauseTiming();
        if (game.isGameOver())
            click(commands->caption(vorni::Command::NewGame));
        int column;
        do
            column = std::uniform_int_distribution<int>(0, vorni::Columns - 1)(random);
        while (!game.canPlay(column));
        state.ResumeTiming();
        click(g_window->findChild<QWidget *>(QStringLiteral("butt(%1)").arg(column)));
        // Paints the whole window now, as the next frame would.
        g_window->repaint();
    }
}
BENCHMARK(BM_ClickToFrame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Options come from an empty store, so the benchmark leaves the user's alone.
    struct : vorni::SettingsStore {
        vorni::StoredSettings load(const QString &) override { return {}; }
        void save(const QString &, const vorni::StoredSettings &) override { }
    } store;
    vorni::MainFrm window(store);
    window.show();
    window.Form_Load();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    g_window = &window;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
