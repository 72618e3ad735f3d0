// Whole processes as a user starts them: `tavrel-cli --help` and `calc` of the default
// project, and `tavrel --screenshot` of the default project side by side with a minimal Qt
// widgets program that shows a main window with 15 tabs and saves its picture. Each figure is
// the median of the runs; the screenshot's ratios to the minimal program are taken from runs
// that alternate, so a busy machine slows both alike. Peak memory is the child's largest
// resident size.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

struct ProcessRun {
    bool ok = false;
    double wallMs = 0;
    double cpuMs = 0; ///< user and system time of the child
    double peakMb = 0;
};

ProcessRun runProcess(std::vector<std::string> words) {
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    ProcessRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid) {
            const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
            run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            run.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
            run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
        }
    }
    run.wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

const std::string Examples = TAVREL_EXAMPLES_DIR;
const std::string Picture =
    (std::filesystem::temp_directory_path() / "tavrel-startup.png").string();

void timeCommand(benchmark::State& state, const std::vector<std::string>& words) {
    std::vector<double> wall, cpu, peak;
    for (auto _ : state) {
        const ProcessRun run = runProcess(words);
        if (!run.ok) {
            state.SkipWithError("the command failed");
            return;
        }
        wall.push_back(run.wallMs);
        cpu.push_back(run.cpuMs);
        peak.push_back(run.peakMb);
        state.SetIterationTime(run.wallMs / 1000);
    }
    state.counters["wall_ms"] = median(wall);
    state.counters["cpu_ms"] = median(cpu);
    state.counters["peak_mb"] = median(peak);
}

void BM_CliHelp(benchmark::State& state) {
    timeCommand(state, {TAVREL_CLI, "--help"});
}

void BM_CliCalcDefault(benchmark::State& state) {
    timeCommand(state, {TAVREL_CLI, "calc", Examples + "/Default.TVP"});
}

void BM_ScreenshotBench8x6(benchmark::State& state) {
    timeCommand(state, {TAVREL_GUI, "--screenshot", Picture, Examples + "/Bench 8x6.TVP"});
}

void BM_ScreenshotAgainstMinimalWindow(benchmark::State& state) {
    std::vector<double> wallRatio, cpuRatio, screenshotWall, minimalWall, peak;
    for (auto _ : state) {
        const ProcessRun screenshot = runProcess({TAVREL_GUI, "--screenshot", Picture});
        const ProcessRun minimal = runProcess({MINIMAL_WINDOW, Picture});
        if (!screenshot.ok || !minimal.ok) {
            state.SkipWithError("a program failed");
            return;
        }
        screenshotWall.push_back(screenshot.wallMs);
        minimalWall.push_back(minimal.wallMs);
        wallRatio.push_back(screenshot.wallMs / minimal.wallMs);
        cpuRatio.push_back(screenshot.cpuMs / minimal.cpuMs);
        peak.push_back(screenshot.peakMb);
        state.SetIterationTime(screenshot.wallMs / 1000);
    }
    state.counters["screenshot_ms"] = median(screenshotWall);
    state.counters["minimal_ms"] = median(minimalWall);
    state.counters["wall_ratio"] = median(wallRatio);
    state.counters["cpu_ratio"] = median(cpuRatio);
    state.counters["peak_mb"] = median(peak);
}

BENCHMARK(BM_CliHelp)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CliCalcDefault)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScreenshotAgainstMinimalWindow)
    ->UseManualTime()
    ->Iterations(11)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScreenshotBench8x6)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
