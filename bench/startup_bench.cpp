// Start-up driver: runs the program's start-up and the bare Qt program as
// child processes, alternating, and reports the two waits a user has: from
// process start to the splash on screen (against the bare window's first
// paint), and from a key on the splash to the main window on screen; and the
// median peak RSS of each. It links no Qt, so the children inherit nothing of it.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Sample {
    double millis = 0;     // process start to first paint flushed
    long peakKiB = 0;      // ru_maxrss of that child alone
    double cpuMillis = 0;  // user + system, to tell a busy machine from a slow start
    std::vector<std::pair<std::string, double>> phases;  // step name, ms since start
};

struct Program {
    std::string label;
    std::string path;
    std::vector<Sample> samples;
};

long long SteadyNanos() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// One run: spawn, read the child's FIRSTPAINT stamp, reap it with its own usage.
bool RunOnce(const std::string& path, Sample& out) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        std::perror("pipe");
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);

    std::vector<char*> argv{const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = 0;
    const long long start = SteadyNanos();
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        std::fprintf(stderr, "startup_bench: cannot start %s: %s\n", path.c_str(),
                     std::strerror(spawned));
        close(pipeFds[0]);
        return false;
    }

    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0) {
            break;
        }
        output.append(buffer, static_cast<size_t>(n));
    }
    close(pipeFds[0]);

    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "startup_bench: %s did not end cleanly (status %d)\n", path.c_str(),
                     status);
        return false;
    }
    const auto at = output.find("FIRSTPAINT ");
    if (at == std::string::npos) {
        std::fprintf(stderr, "startup_bench: %s never reported its first paint\n", path.c_str());
        return false;
    }
    const long long painted = std::atoll(output.c_str() + at + 11);
    out.millis = static_cast<double>(painted - start) / 1e6;
    for (size_t p = output.find("PHASE "); p != std::string::npos;
         p = output.find("PHASE ", p + 1)) {
        const size_t nameEnd = output.find(' ', p + 6);
        if (nameEnd == std::string::npos) {
            break;
        }
        const long long stamp = std::atoll(output.c_str() + nameEnd + 1);
        out.phases.emplace_back(output.substr(p + 6, nameEnd - p - 6),
                                static_cast<double>(stamp - start) / 1e6);
    }
    out.peakKiB = usage.ru_maxrss;
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    out.cpuMillis = ms(usage.ru_utime) + ms(usage.ru_stime);
    return true;
}

// Milliseconds since start at the step of that name; negative when it never came.
double Phase(const Sample& s, const std::string& name) {
    for (const auto& [step, at] : s.phases) {
        if (step == name) {
            return at;
        }
    }
    return -1;
}

// The nearest-rank percentile: the smallest sample with `share` of all at or below it.
double Percentile(std::vector<double> v, double share) {
    std::sort(v.begin(), v.end());
    const size_t rank = static_cast<size_t>(std::ceil(share * static_cast<double>(v.size())));
    return v[std::max<size_t>(rank, 1) - 1];
}

template <typename T, typename F>
double Median(const std::vector<T>& items, F value) {
    std::vector<double> v;
    for (const T& item : items) {
        v.push_back(value(item));
    }
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The median time of each step since process start, in the order the steps came.
void PrintPhases(const Program& p) {
    std::printf("  %-8s", p.label.c_str());
    for (size_t i = 0; i < p.samples.front().phases.size(); ++i) {
        const std::string& name = p.samples.front().phases[i].first;
        std::vector<double> at;
        for (const Sample& s : p.samples) {
            if (i < s.phases.size() && s.phases[i].first == name) {
                at.push_back(s.phases[i].second);
            }
        }
        std::printf(" %s %.1f,", name.c_str(), Median(at, [](double v) { return v; }));
    }
    std::printf(" first-paint %.1f\n", Median(p.samples, [](const Sample& s) { return s.millis; }));
}

std::string Beside(const char* self, const char* name) {
    std::string dir(self);
    const auto slash = dir.rfind('/');
    dir = slash == std::string::npos ? std::string(".") : dir.substr(0, slash);
    return dir + "/" + name;
}

}  // namespace

int main(int argc, char* argv[]) {
    int runs = 100;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: startup_bench [--runs N]\n");
            return 1;
        }
    }
    // Both programs run under one platform plugin; offscreen unless told.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const char* platform = std::getenv("QT_QPA_PLATFORM");

    Program app{"startup", Beside(argv[0], "startup_bench_app"), {}};
    Program bare{"bare", Beside(argv[0], "startup_bare_app"), {}};

    // One unmeasured run each fills the page cache, so neither pays for the disk.
    Sample warm;
    if (!RunOnce(app.path, warm) || !RunOnce(bare.path, warm)) {
        return 2;
    }
    std::printf("platform %s, %d runs each, alternating\n", platform, runs);
    std::printf("%4s %12s %12s %12s %12s %12s\n", "run", "splash ms", "bare ms", "hand-over ms",
                "startup KiB", "bare KiB");
    for (int r = 0; r < runs; ++r) {
        // ABBA order, so that a drift of the machine falls on both alike.
        Program* order[2] = {&app, &bare};
        if (r % 2) {
            std::swap(order[0], order[1]);
        }
        for (Program* p : order) {
            Sample s;
            if (!RunOnce(p->path, s)) {
                return 2;
            }
            p->samples.push_back(s);
        }
        const Sample& a = app.samples.back();
        const Sample& b = bare.samples.back();
        if (Phase(a, "splash-painted") < 0 || Phase(a, "key") < 0) {
            std::fprintf(stderr, "startup_bench: the start-up reported no splash paint or key\n");
            return 2;
        }
        std::printf("%4d %12.1f %12.1f %12.2f %12ld %12ld\n", r + 1, Phase(a, "splash-painted"),
                    b.millis, a.millis - Phase(a, "key"), a.peakKiB, b.peakKiB);
    }

    const auto ms = [](const Sample& s) { return s.millis; };
    const auto kib = [](const Sample& s) { return static_cast<double>(s.peakKiB); };
    const auto splashMs = [](const Sample& s) { return Phase(s, "splash-painted"); };
    std::vector<double> handOver;
    for (const Sample& s : app.samples) {
        handOver.push_back(s.millis - Phase(s, "key"));
    }
    const double splash = Median(app.samples, splashMs), bareMs = Median(bare.samples, ms);
    const double appKiB = Median(app.samples, kib), bareKiB = Median(bare.samples, kib);
    const double ratio = splash / bareMs;
    const double handMedian = Percentile(handOver, 0.5), handP99 = Percentile(handOver, 0.99);
    const double extraMiB = (appKiB - bareKiB) / 1024;
    std::printf("median ms since process start at each step:\n");
    PrintPhases(app);
    PrintPhases(bare);
    const auto cpu = [](const Sample& s) { return s.cpuMillis; };
    std::printf("median CPU time (user + system, to the exit): startup %.1f ms, bare %.1f ms\n",
                Median(app.samples, cpu), Median(bare.samples, cpu));
    std::printf(
        "median start to splash painted %.1f ms, bare window's first paint %.1f ms, ratio %.2f\n",
        splash, bareMs, ratio);
    std::printf(
        "hand-over, key to main window painted: median %.2f ms, p99 %.2f ms, max %.2f ms (%zu "
        "runs)\n",
        handMedian, handP99, Percentile(handOver, 1.0), handOver.size());
    std::printf("median peak RSS: startup %.1f MiB, bare %.1f MiB, difference %+.1f MiB\n",
                appKiB / 1024, bareKiB / 1024, extraMiB);
    // FIGURE|what|measured|target|verdict, rows of the table scripts/bench.sh prints.
    std::printf(
        "FIGURE|Start-up to splash painted, median|%.1f ms = %.2f x bare (%.1f ms)|<= 1.10 x "
        "bare|%s\n",
        splash, ratio, bareMs, ratio <= 1.1 ? "met" : "MISSED");
    std::printf(
        "FIGURE|Hand-over, key to main window painted|median %.2f ms, p99 %.2f ms|< 2 ms, "
        "p99 < 5 ms|%s\n",
        handMedian, handP99, handMedian < 2 && handP99 < 5 ? "met" : "MISSED");
    std::printf(
        "FIGURE|Start-up peak RSS, median|%.1f MiB = bare %+.1f MiB (%.1f MiB)|<= bare + 8 "
        "MiB|%s\n",
        appKiB / 1024, extraMiB, bareKiB / 1024, extraMiB <= 8 ? "met" : "MISSED");
    return 0;
}
