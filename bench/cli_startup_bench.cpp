// SPDX-License-Identifier: MIT
// zorbal-cli fly (the default design, its report to /dev/null, no files written) from start to
// exit, against an empty C++ program built the same way, all started as a shell starts them. A
// second empty program is linked with the libraries zorbal-cli links (the C++ runtime: libstdc++,
// libm, libgcc_s): the least a program of ours can cost. Besides the wall-clock time each reports
// the CPU time the started program used (child_cpu_ms), which other work on the machine disturbs
// less. ZORBAL_BENCH_CLI_BEFORE=<zorbal-cli of another build> times that one too, for a before
// and after.
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

/// Starts `arguments` (the program first) with standard output and error on /dev/null, waits for
/// it and adds the CPU time it used to `cpuSeconds`; false when it could not be started or failed.
bool runOnce(const std::vector<std::string>& arguments, double& cpuSeconds) {
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            return false;
    }
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    cpuSeconds += seconds(usage.ru_utime) + seconds(usage.ru_stime);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void startToExit(benchmark::State& state, const std::vector<std::string>& arguments) {
    double cpuSeconds = 0;
    for (auto _ : state) {
        if (!runOnce(arguments, cpuSeconds)) {
            state.SkipWithError(("could not run " + arguments.front()).c_str());
            return;
        }
    }
    state.counters["child_cpu_ms"] = benchmark::Counter(cpuSeconds * 1e3, benchmark::Counter::kAvgIterations);
}

void BM_EmptyProgramStartToExit(benchmark::State& state) {
    startToExit(state, {ZORBAL_EMPTY_PROGRAM});
}
BENCHMARK(BM_EmptyProgramStartToExit)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EmptyProgramWithTheCxxRuntimeStartToExit(benchmark::State& state) {
    startToExit(state, {ZORBAL_CXX_RUNTIME_PROGRAM});
}
BENCHMARK(BM_EmptyProgramWithTheCxxRuntimeStartToExit)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CliFlyStartToExit(benchmark::State& state) {
    startToExit(state, {ZORBAL_CLI, "fly"});
}
BENCHMARK(BM_CliFlyStartToExit)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (const char* before = std::getenv("ZORBAL_BENCH_CLI_BEFORE"); before != nullptr && *before != '\0') {
        const std::string program = before;
        benchmark::RegisterBenchmark("BM_CliFlyStartToExit_Before",
                                     [program](benchmark::State& state) {
                                         startToExit(state, {program, "fly"});
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
