// The core's costs at 1,000, 100,000 and 1,000,000 names, each beside its floor: what the same
// work costs with nothing but the system calls and memchr.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "draw_cycle.h"
#include "name_list_file.h"
#include "name_list_maker.h"

namespace {

class StderrSink final : public FatalStopSink {
public:
    void showErrorBox(const Text& text, const Text&) override { std::fputs(text.c_str(), stderr); }
    [[noreturn]] void exitProcess(int status) override { std::exit(status); }
};

class NullWindow final : public WindowOps {
public:
    void setWindowTitle(std::string_view title) override { benchmark::DoNotOptimize(title.data()); }
    void setLabelText(std::string_view text) override { benchmark::DoNotOptimize(text.data()); }
    void setTimerPeriod(std::int32_t) override {}
};

class SetClock final : public TickClock {
public:
    std::uint32_t milliseconds() override { return now; }
    std::uint32_t now = 0;
};

StderrSink g_sink;
RuntimeErrorStop g_stop(g_sink);

Text makeList(std::int64_t count) { return makeNameList(count); }

// One list file per size in a private folder, made once and removed at exit.
class Fixtures {
public:
    ~Fixtures() {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    const std::string& file(std::int64_t count) {
        auto& path = m_files[count];
        if (path.empty()) {
            path = (directory() / ("list-" + std::to_string(count) + ".ini")).string();
            const Text list = makeList(count);
            std::ofstream(path, std::ios::binary)
                .write(list.data(), static_cast<std::streamsize>(list.size()));
        }
        return path;
    }
    std::string scratch(const char* name) const { return (directory() / name).string(); }

private:
    const std::filesystem::path& directory() const {
        if (m_dir.empty()) {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "luckydraw-bench-XXXXXX").string();
            m_dir = ::mkdtemp(pattern.data());
        }
        return m_dir;
    }

    mutable std::filesystem::path m_dir;
    std::map<std::int64_t, std::string> m_files;
};

Fixtures g_fixtures;

void setBytesAndItems(benchmark::State& state, std::size_t bytesPerIteration) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytesPerIteration));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoadFloor(benchmark::State& state) {
    const std::string& path = g_fixtures.file(state.range(0));
    std::size_t size = 0;
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        ::fstat(fd, &info);
        size = static_cast<std::size_t>(info.st_size);
        auto buffer = std::make_unique_for_overwrite<char[]>(size);
        for (std::size_t got = 0; got < size;) {
            got += static_cast<std::size_t>(::read(fd, buffer.get() + got, size - got));
        }
        ::close(fd);
        std::size_t commas = 0;
        const char* end = buffer.get() + size;
        for (const char* p = buffer.get();
             (p = static_cast<const char*>(std::memchr(p, ',', end - p))) != nullptr; ++p) {
            ++commas;
        }
        benchmark::DoNotOptimize(commas);
    }
    setBytesAndItems(state, size);
}

void BM_LoadFile(benchmark::State& state) {
    const std::string& path = g_fixtures.file(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(loadFile(path, g_stop));
    }
    setBytesAndItems(state, std::filesystem::file_size(path));
}

void BM_SplitText(benchmark::State& state) {
    const Text list = makeList(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(splitText(list));
    }
    setBytesAndItems(state, list.size());
}

// One write of the same bytes with the save's flush policy: a temporary file flushed to the disk,
// renamed over the target, and the directory flushed.
void BM_SaveFloor(benchmark::State& state) {
    const Text list = makeList(state.range(0));
    const std::string target = g_fixtures.scratch("floor.ini");
    const std::string temporary = target + ".tmp";
    const std::string directory = std::filesystem::path(target).parent_path().string();
    for (auto _ : state) {
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        benchmark::DoNotOptimize(::write(fd, list.data(), list.size()));
        ::fsync(fd);
        ::close(fd);
        ::rename(temporary.c_str(), target.c_str());
        const int dir = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::fsync(dir);
        ::close(dir);
    }
    setBytesAndItems(state, list.size());
}

void BM_SaveFile(benchmark::State& state) {
    NamePool pool(g_stop);
    pool.replaceAll(loadFile(g_fixtures.file(state.range(0)), g_stop));
    const std::string target = g_fixtures.scratch("pool.ini");
    for (auto _ : state) {
        benchmark::DoNotOptimize(saveFile(target, pool, g_stop));
    }
    setBytesAndItems(state, std::filesystem::file_size(target));
}

// Times only `work`; whatever `prepare` does between runs stays outside the figure.
template <class Prepare, class Work>
void timeManually(benchmark::State& state, Prepare&& prepare, Work&& work) {
    for (auto _ : state) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_RemoveFirst(benchmark::State& state) {
    const std::string& path = g_fixtures.file(state.range(0));
    NamePool pool(g_stop);
    const std::int32_t full = static_cast<std::int32_t>(state.range(0));
    timeManually(
        state,
        [&] {
            if (pool.count() < full - full / 100 || pool.count() < 2) {
                pool.replaceAll(loadFile(path, g_stop));
            }
        },
        [&] { pool.removeAt(1); });
}

void BM_RollingTick(benchmark::State& state) {
    const std::string& path = g_fixtures.file(state.range(0));
    NamePool pool(g_stop);
    pool.replaceAll(loadFile(path, g_stop));
    NullWindow window;
    SetClock clock;
    DrawCycle draw(pool, window, clock, g_stop, path, "");
    timeManually(
        state,
        [&] {
            if (draw.tickCount() == DrawCycle::kTicksPerDraw - 1) {
                draw.onTimerTick();  // the final tick is measured on its own
            }
        },
        [&] { draw.onTimerTick(); });
}

// A clock reading that makes the next draw from 1..count land on position 1, so the final tick
// moves every other name up by one place.
std::uint32_t clockForFirstWinner(std::int32_t count) {
    SetClock clock;
    RandomSource random(clock);
    for (std::uint32_t t = 0;; ++t) {
        random.setState(t);
        if (random.randomInRange(1, count) == 1) {
            return t;
        }
    }
}

// The tenth tick with the winner at position 1 and the save left out (no pool path).
void BM_FinalTick(benchmark::State& state) {
    const std::string& path = g_fixtures.file(state.range(0));
    const std::int32_t full = static_cast<std::int32_t>(state.range(0));
    NamePool pool(g_stop);
    pool.replaceAll(loadFile(path, g_stop));
    NullWindow window;
    SetClock clock;
    std::optional<DrawCycle> draw;
    timeManually(
        state,
        [&] {
            if (pool.count() < full - full / 100 || pool.count() < 2) {
                pool.replaceAll(loadFile(path, g_stop));
            }
            draw.emplace(pool, window, clock, g_stop, path, "");
            while (draw->tickCount() < DrawCycle::kTicksPerDraw - 1) {
                draw->onTimerTick();
            }
            clock.now = clockForFirstWinner(pool.count());  // a fresh cycle reseeds with no drift
        },
        [&] { draw->onTimerTick(); });
}

void sizes(benchmark::internal::Benchmark* b) { b->Arg(1000)->Arg(100000)->Arg(1000000); }

}  // namespace

BENCHMARK(BM_LoadFloor)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadFile)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SplitText)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveFloor)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveFile)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RemoveFirst)->Apply(sizes)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RollingTick)->Apply(sizes)->UseManualTime()->Unit(benchmark::kMicrosecond);
// Each run first searches for the clock reading that makes position 1 win: a fixed count keeps
// that search from dominating the benchmark's own time.
BENCHMARK(BM_FinalTick)
    ->Apply(sizes)
    ->UseManualTime()
    ->Iterations(300)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
