// The process floor: the program started as a whole process, offscreen, on an empty 2D diagram
// (empty.qz2) and on a 3D one (space.qz3), timed from the start until it has ended after its first
// window painted (QUORLIN_EXIT_AFTER_FIRST_PAINT, shell/first_paint_exit.h), in wall time and in
// the CPU time the process used. Beside it the same for its peers: gnuplot drawing an empty plot to
// SVG where gnuplot is installed (the aim is at most 1.3 times its time), and an empty Qt
// Widgets window (startup_peer), the floor of any process on the same libraries. After the runs
// the medians and the ratios are printed. (The benchmark's own CPU column is the CPU time of the
// benchmark process; the counter cpu_ms is that of the started process.)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Sample {
    double wallMs = 0;
    double cpuMs = 0;
};

std::map<std::string, std::vector<Sample>>& Samples() {
    static std::map<std::string, std::vector<Sample>> samples;
    return samples;
}

double Ms(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

// The environment of every start: offscreen, ending after the first paint, a configuration
// folder of its own (without the tips dialog, as after a first start) and a socket name of its
// own, so that no running copy of the program takes the start over.
std::vector<std::string> ChildEnvironment(const fs::path& config) {
    const std::vector<std::string> own = {
        "QT_QPA_PLATFORM=offscreen", "QUORLIN_EXIT_AFTER_FIRST_PAINT=1",
        "QUORLIN_CONFIG_DIR=" + config.string(),
        "QUORLIN_INSTANCE_NAME=quorlin-startup-bench-" + std::to_string(::getpid())};
    const auto setHere = [&own](const std::string& entry) {
        const std::string key = entry.substr(0, entry.find('=') + 1);
        return std::any_of(own.begin(), own.end(),
                           [&key](const std::string& o) { return o.starts_with(key); });
    };
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (!setHere(*e)) env.emplace_back(*e);
    }
    env.insert(env.end(), own.begin(), own.end());
    return env;
}

// Starts the command, waits for it and returns its wall and CPU time; nothing when it could not
// start or did not end well, and then why in error.
std::optional<Sample> RunOnce(const std::vector<std::string>& command,
                              const std::vector<std::string>& env, std::string& error) {
    std::vector<char*> argv;
    for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &quiet, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) {
        error = command[0] + " did not start: " + std::strerror(spawned);
        return std::nullopt;
    }
    int status = 0;
    rusage usage{};
    pid_t waited = 0;
    while ((waited = ::wait4(pid, &status, 0, &usage)) < 0 && errno == EINTR) {
    }
    if (waited != pid) {
        error = "waiting for " + command[0] + " failed: " + std::strerror(errno);
        return std::nullopt;
    }
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
    if (WIFSIGNALED(status)) {
        error = command[0] + " was ended by signal " + std::to_string(WTERMSIG(status));
        return std::nullopt;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = command[0] + " ended with status " + std::to_string(WEXITSTATUS(status));
        return std::nullopt;
    }
    return Sample{wall.count(), Ms(usage.ru_utime) + Ms(usage.ru_stime)};
}

class Starts {
public:
    Starts()
        : config_(fs::temp_directory_path() / ("quorlin-startup-" + std::to_string(getpid()))) {
        fs::create_directories(config_);
        std::ofstream(config_ / "qz.tip", std::ios::binary).put('\0');
        env_ = ChildEnvironment(config_);
    }
    ~Starts() {
        std::error_code ignored;
        fs::remove_all(config_, ignored);
    }
    const std::vector<std::string>& Environment() const { return env_; }

private:
    fs::path config_;
    std::vector<std::string> env_;
};

Starts& TheStarts() {
    static Starts starts;
    return starts;
}

void TimeStarts(benchmark::State& state, const std::string& name,
                const std::vector<std::string>& command) {
    std::vector<Sample>& samples = Samples()[name];
    for (auto _ : state) {
        std::string error;
        const auto sample = RunOnce(command, TheStarts().Environment(), error);
        if (!sample) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.SetIterationTime(sample->wallMs / 1e3);
        samples.push_back(*sample);
    }
    double cpu = 0;
    for (const Sample& s : samples) cpu += s.cpuMs;
    state.counters["cpu_ms"] = cpu / static_cast<double>(samples.size());
}

std::string Corpus(const char* file) {
    return std::string(QUORLIN_SOURCE_DIR) + "/tests/examples/corpus/" + file;
}

std::optional<std::string> OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (!path) return std::nullopt;
    std::string folders = path;
    for (std::size_t begin = 0; begin <= folders.size();) {
        const std::size_t end = std::min(folders.find(':', begin), folders.size());
        const fs::path candidate = fs::path(folders.substr(begin, end - begin)) / program;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
        begin = end + 1;
    }
    return std::nullopt;
}

// Axes over [-5, 5] x [-5, 5] and nothing on them (a plot of 1/0 alone is an error to gnuplot).
const std::vector<std::string> kGnuplot = {
    "gnuplot", "-e",
    "set terminal svg; set output '/dev/null'; set xrange [-5:5]; set yrange [-5:5]; "
    "plot NaN notitle"};

Sample Median(std::vector<Sample> samples) {
    const auto middle = [&](auto field) {
        std::vector<double> values;
        for (const Sample& s : samples) values.push_back(s.*field);
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        return values[values.size() / 2];
    };
    return {middle(&Sample::wallMs), middle(&Sample::cpuMs)};
}

void PrintSummary() {
    std::map<std::string, Sample> medians;
    for (const auto& [name, samples] : Samples()) {
        if (!samples.empty()) medians[name] = Median(samples);
    }
    std::printf("\nProcess floor, median of the starts (wall / CPU):\n");
    for (const auto& [name, m] : medians) {
        std::printf("  %-22s %7.1f ms / %7.1f ms\n", name.c_str(), m.wallMs, m.cpuMs);
    }
    const auto ratios = [&](const char* peer, const char* note) {
        const auto it = medians.find(peer);
        if (it == medians.end()) return;
        for (const char* program : {"quorlin empty.qz2", "quorlin space.qz3"}) {
            const auto own = medians.find(program);
            if (own == medians.end()) continue;
            std::printf("  %s / %s: wall %.2f, CPU %.2f%s\n", program, peer,
                        own->second.wallMs / it->second.wallMs,
                        own->second.cpuMs / it->second.cpuMs, note);
        }
    };
    ratios("gnuplot empty plot", "   (aim: at most 1.3)");
    if (const auto gnuplot = OnPath("gnuplot"); !gnuplot) {
        std::printf("  gnuplot is not on PATH: no ratio beside the aim of 1.3\n");
    } else {
        // Debian's gnuplot-qt links Qt as the program does; gnuplot-nox links no GUI library
        // and starts in less time than an empty Qt window.
        std::printf("  gnuplot is %s\n", fs::canonical(*gnuplot).c_str());
    }
    ratios("Qt Widgets peer", "");
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const auto add = [](const std::string& name, std::vector<std::string> command) {
        benchmark::RegisterBenchmark(
            name.c_str(),
            [name, command](benchmark::State& state) { TimeStarts(state, name, command); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->MinTime(1.0);
    };
    add("quorlin empty.qz2", {QUORLIN_BINARY, Corpus("empty.qz2")});
    add("quorlin space.qz3", {QUORLIN_BINARY, Corpus("space.qz3")});
    add("Qt Widgets peer", {QUORLIN_PEER_BINARY});
    if (OnPath("gnuplot")) add("gnuplot empty plot", kGnuplot);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();
    return 0;
}
