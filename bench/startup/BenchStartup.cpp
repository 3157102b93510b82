// Start-up of the program against the floor of any Qt program: each run is a
// fresh process that creates the application object and its windows, shows
// the main window and reports through a pipe once it is painted and the event
// loop idles. Measured from fork to that report (median of the repetitions)
// with the child's CPU time and peak memory (rusage). The children:
//   Quillary     this program re-started as "--child=quillary": the real
//                QuillaryApplication, TForm_Main and TForm_About made as
//                app/main.cpp makes them, on the built program folder with its
//                shipped catalogue;
//   BareWindow   startup_bare_window: an empty 700 x 507 window from a binary
//                that links Qt Widgets alone, the goal's yardstick;
//   Bare...      this program as "--child=bare[+part...]": the same empty
//                window from a binary that carries all of the program's
//                libraries, alone and with single parts of the main window
//                added, to show what they cost: "text" a label with a line of
//                Chinese text (the first text drawn loads the font database
//                and a CJK font), "song" that label in the program's own font
//                (宋体 12 px, drawn from the font's bitmaps), "title" the
//                title-bar picture, "dialog" a save dialog made as the main
//                window makes its own.
// After the runs a summary gives the medians, peak memory and the ratios to
// the bare window. Run it on an otherwise quiet machine:
//   QT_QPA_PLATFORM=offscreen startup_bench
#include "IdleReporter.h"

#include "app/Pictures.h"
#include "app/QuillaryApplication.h"
#include "app/TForm_About.h"
#include "app/TForm_Main.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char *g_self = nullptr;

int RunQuillary(int argc, char **argv, int fd) {
    platform::SetProgramFolder(QStringLiteral(QUILLARY_PROGRAM_DIR));
    QuillaryApplication app(argc, argv);
    TForm_Main main;
    TForm_About about;
    main.SetAboutBox(&about);
    main.show();
    new IdleReporter(&main, fd);
    return app.exec();
}

int RunBare(int argc, char **argv, int fd, const std::string &parts) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(700, 507);
    if (parts.find("+text") != std::string::npos) {
        auto *text = new QLabel(QStringLiteral("欢迎使用妙码工坊v4.0！"), &window);
        text->setGeometry(200, 100, 400, 20);
        if (parts.find("+text+song") != std::string::npos)
            text->setFont(QuillaryApplication::SongFont(12));
    }
    if (parts.find("+title") != std::string::npos) {
        auto *title = new QLabel(&window);
        title->setPixmap(Picture(QStringLiteral("title")));
        title->setGeometry(0, 0, 700, 41);
    }
    if (parts.find("+dialog") != std::string::npos) {
        auto *dialog = new QFileDialog(&window);
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setNameFilter(QStringLiteral("网页文件(*.htm)"));
        dialog->setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog);
    }
    window.show();
    new IdleReporter(&window, fd);
    return app.exec();
}

struct Sample {
    double seconds = 0;
    double cpuSeconds = 0; // the child's user and system time
    long maxRssKiB = 0;
};

std::map<std::string, std::vector<Sample>> g_samples;

// Starts `argv` with the write end of a pipe as its last argument and waits
// for its report; false if it exits without one.
bool StartAndWait(std::vector<std::string> args, Sample *sample) {
    int fds[2];
    if (::pipe(fds) != 0)
        return false;
    args.push_back(std::to_string(fds[1]));
    std::vector<char *> argv;
    for (std::string &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    char done = 0;
    const bool reported = pid > 0 && ::read(fds[0], &done, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    ::close(fds[0]);
    int status = 0;
    struct rusage usage;
    std::memset(&usage, 0, sizeof usage);
    if (pid > 0)
        ::wait4(pid, &status, 0, &usage);
    sample->seconds = std::chrono::duration<double>(end - start).count();
    sample->cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    sample->maxRssKiB = usage.ru_maxrss;
    return reported && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_Start(benchmark::State &state, std::vector<std::string> args, const std::string &name) {
    for (auto _ : state) {
        Sample sample;
        if (!StartAndWait(args, &sample)) {
            state.SkipWithError("the child did not report or failed");
            return;
        }
        state.SetIterationTime(sample.seconds);
        state.counters["maxrss_MiB"] = double(sample.maxRssKiB) / 1024.0;
        g_samples[name].push_back(sample);
    }
}

template <typename T> T Median(std::vector<T> values) {
    if (values.empty())
        return T();
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void PrintSummary() {
    struct Medians {
        double ms = 0;
        double cpuMs = 0;
        double mib = 0;
    };
    std::map<std::string, Medians> medians;
    for (const auto &[name, samples] : g_samples) {
        std::vector<double> ms;
        std::vector<double> cpuMs;
        std::vector<double> mib;
        for (const Sample &s : samples) {
            ms.push_back(s.seconds * 1000.0);
            cpuMs.push_back(s.cpuSeconds * 1000.0);
            mib.push_back(double(s.maxRssKiB) / 1024.0);
        }
        medians[name] = {Median(ms), Median(cpuMs), Median(mib)};
    }
    if (medians.empty())
        return;
    // CPU time is the steadier figure on a shared machine: it leaves out the
    // time the child waited for a processor.
    std::printf("\nStart-up, median of %zu runs each (fork to painted and idle):\n",
                g_samples.begin()->second.size());
    std::printf("  %-20s %8s %8s %9s   %s\n", "", "wall", "cpu", "peak", "ratios to BareWindow");
    const auto bare = medians.find("BareWindow");
    for (const auto &[name, m] : medians) {
        std::printf("  %-20s %5.1f ms %5.1f ms %5.1f MiB", name.c_str(), m.ms, m.cpuMs, m.mib);
        if (bare != medians.end() && name != bare->first)
            std::printf("   %.2fx wall, %.2fx cpu, %.2fx memory", m.ms / bare->second.ms,
                        m.cpuMs / bare->second.cpuMs, m.mib / bare->second.mib);
        std::printf("\n");
    }
    std::printf("  goal: Quillary within 1.3x the time of BareWindow\n");
}

} // namespace

int main(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        const char *mode = argv[i];
        if (std::strncmp(mode, "--child=", 8) == 0 && i + 1 < argc) {
            const int fd = std::atoi(argv[argc - 1]);
            if (std::strcmp(mode + 8, "quillary") == 0)
                return RunQuillary(argc, argv, fd);
            if (std::strncmp(mode + 8, "bare", 4) == 0)
                return RunBare(argc, argv, fd, mode + 12);
            return 2;
        }
    }
    g_self = argv[0];
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);

    const std::string self = "/proc/self/exe";
    char path[4096];
    const ssize_t n = ::readlink(self.c_str(), path, sizeof path - 1);
    const std::string exe = n > 0 ? std::string(path, size_t(n)) : std::string(g_self);
    const std::string bareWindow = STARTUP_BARE_WINDOW;

    // Repetitions in random order across the three, so a busy moment of the
    // machine does not fall on one of them alone.
    std::vector<char *> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());

    for (const auto &[name, argsOf] : std::vector<std::pair<std::string, std::vector<std::string>>>{
             {"Quillary", {exe, "--child=quillary"}},
             {"BareWindow", {bareWindow}},
             {"BareInHere", {exe, "--child=bare"}},
             {"BareWithText", {exe, "--child=bare+text"}},
             {"BareWithSongText", {exe, "--child=bare+text+song"}},
             {"BareWithTextTitle", {exe, "--child=bare+text+title"}},
             {"BareWithTextDialog", {exe, "--child=bare+text+dialog"}}}) {
        benchmark::RegisterBenchmark(("BM_Start/" + name).c_str(), BM_Start, argsOf, name)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(20)
            ->ReportAggregatesOnly(true);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();
    return 0;
}
