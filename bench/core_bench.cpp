#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "name_list_file.h"

namespace {

class NullSink final : public FatalStopSink {
public:
    void showErrorBox(const Text& text, const Text&) override { std::fputs(text.c_str(), stderr); }
    [[noreturn]] void exitProcess(int status) override { std::exit(status); }
};

NullSink g_sink;
RuntimeErrorStop g_stop(g_sink);

// A list of `count` GBK names of two to four characters, the same every run.
Text makeList(std::int64_t count) {
    std::uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 16;
    };
    Text list;
    for (std::int64_t i = 0; i < count; ++i) {
        const unsigned characters = 2 + next() % 3;
        for (unsigned c = 0; c < characters; ++c) {
            list.push_back(static_cast<char>(0xB0 + next() % 0x28));  // GB2312 hanzi rows
            list.push_back(static_cast<char>(0xA1 + next() % 0x5E));
        }
        list.push_back(',');
    }
    return list;
}

std::string listFile(std::int64_t count) {
    const auto path =
        std::filesystem::temp_directory_path() /
        ("luckydraw-bench-" + std::to_string(::getpid()) + "-" + std::to_string(count));
    const Text list = makeList(count);
    std::ofstream(path, std::ios::binary)
        .write(list.data(), static_cast<std::streamsize>(list.size()));
    return path.string();
}

void BM_SplitText(benchmark::State& state) {
    const Text list = makeList(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(splitText(list));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoadFile(benchmark::State& state) {
    const std::string path = listFile(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(loadFile(path, g_stop));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove(path);
}

void BM_SaveFile(benchmark::State& state) {
    const std::string path = listFile(state.range(0));
    NamePool pool(g_stop);
    pool.replaceAll(loadFile(path, g_stop));
    for (auto _ : state) {
        benchmark::DoNotOptimize(saveFile(path, pool, g_stop));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove(path);
}

}  // namespace

BENCHMARK(BM_SplitText)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFile)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFile)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
