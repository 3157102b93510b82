// Refilling a category of 100, 1,000 and 10,000 entries through the real
// code path (CategoryBrowser::LoadCategoryList on a real list view), beside
// the floor: reading and decoding the same catalogue file once.
#include "catalogue/CatalogueEntry.h"
#include "catalogue/CategoryBrowser.h"
#include "platform/Gb2312.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QToolButton>

#include <benchmark/benchmark.h>

namespace {

QTemporaryDir *folder = nullptr;

void WriteCatalogue(int entries) {
    QString text = QStringLiteral("[Time]\r\nNumber=%1\r\n").arg(entries);
    for (int i = 1; i <= entries; ++i)
        text += EntryKey(EffectCategory::Time, i) +
                QStringLiteral("=0|时间特效第%1个|2|time-a%1.svg|time-b%1.svg|\r\n").arg(i);
    QFile f(folder->filePath(QStringLiteral("system/efx.tvo")));
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(platform::toGb(text));
}

void BM_ReadAndDecodeFloor(benchmark::State &state) {
    WriteCatalogue(int(state.range(0)));
    const QString path = folder->filePath(QStringLiteral("system/efx.tvo"));
    for (auto _ : state) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        const QString text = platform::fromGb(f.readAll());
        benchmark::DoNotOptimize(text.size());
    }
}

void BM_LoadCategoryList(benchmark::State &state) {
    WriteCatalogue(int(state.range(0)));
    QWidget window;
    QListView list(&window);
    QLabel label(&window);
    QButtonGroup buttons;
    QToolButton time(&window);
    time.setCheckable(true);
    buttons.addButton(&time, int(EffectCategory::Time));
    CategoryBrowser browser(&list, &label, &buttons);
    window.show();
    for (auto _ : state) {
        browser.LoadCategoryList(EffectCategory::Time);
        benchmark::DoNotOptimize(list.model()->rowCount());
    }
}

} // namespace

BENCHMARK(BM_ReadAndDecodeFloor)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadCategoryList)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("system"));
    folder = &dir;
    platform::SetProgramFolder(dir.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
