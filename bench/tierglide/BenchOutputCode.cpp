// OutputCode of the built library on lists of 1,000 and 10,000 rows (and
// 3,000 and 30,000 to show the curve), half of them sub-menus, entered
// through the form's own widgets. Generation should grow linearly with the
// rows: compare the items/s of the sizes, or the fitted complexity printed at
// the end. Each call builds buffers of a few kilobytes per row; when the C
// library hands them back to the system after the call, the next call pays
// for fresh memory pages, a cost that also grows with the rows.
#include <quillary/PluginApi.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QWidget>

#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cstdio>
#include <memory>

namespace {

struct Library {
    void *handle = nullptr;
    quillary::ShowFormFn showForm = nullptr;
    quillary::OutputCodeFn outputCode = nullptr;
    quillary::CloseFormFn closeForm = nullptr;
};

Library g_library;
QWidget *g_panel = nullptr;

template <typename T> T *control(const char *name) {
    T *w = g_panel->findChild<T *>(QString::fromLatin1(name));
    if (!w) {
        std::fprintf(stderr, "no control %s\n", name);
        std::abort();
    }
    return w;
}

// Fills the list with `rows` rows through the editor: a main menu with link,
// then a sub-menu, and so on.
void fillList(int rows) {
    auto *list = control<QTreeWidget>("ListView1");
    if (list->topLevelItemCount() == rows)
        return;
    auto *name = control<QLineEdit>("Edit_MenuText");
    auto *url = control<QLineEdit>("Edit_MenuURL");
    auto *type = control<QComboBox>("ComboBox_MenuType");
    auto *add = control<QToolButton>("SpeedButton_Add");
    control<QToolButton>("SpeedButton_Clear")->click();
    for (int i = 0; i < rows; ++i) {
        const bool sub = i % 2 == 1;
        type->setCurrentIndex(sub ? 2 : 1);
        name->setText(QString::fromUtf8(sub ? "子菜单 %1" : "主菜单 %1").arg(i));
        url->setText(QStringLiteral("http://www.example.com/menu/%1.htm").arg(i));
        add->click();
    }
    if (list->topLevelItemCount() != rows)
        std::abort();
}

void BM_OutputCode(benchmark::State &state) {
    const int rows = int(state.range(0));
    fillList(rows);
    qsizetype bytes = 0;
    for (auto _ : state) {
        QByteArray text;
        g_library.outputCode(&text);
        bytes = text.size();
        benchmark::DoNotOptimize(text.constData());
    }
    state.SetItemsProcessed(state.iterations() * rows);
    state.SetComplexityN(rows);
    state.counters["page_bytes"] = double(bytes);
}
BENCHMARK(BM_OutputCode)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(10000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    g_library.handle = dlopen(TIERGLIDE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!g_library.handle) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 1;
    }
    g_library.showForm =
        reinterpret_cast<quillary::ShowFormFn>(dlsym(g_library.handle, "ShowForm"));
    g_library.outputCode =
        reinterpret_cast<quillary::OutputCodeFn>(dlsym(g_library.handle, "OutputCode"));
    g_library.closeForm =
        reinterpret_cast<quillary::CloseFormFn>(dlsym(g_library.handle, "CloseForm"));
    if (!g_library.showForm || !g_library.outputCode || !g_library.closeForm)
        return 1;

    auto panel = std::make_unique<QWidget>();
    panel->resize(600, 480);
    panel->show();
    g_panel = panel.get();
    g_library.showForm(g_panel);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    g_library.closeForm();
    dlclose(g_library.handle);
    return 0;
}
