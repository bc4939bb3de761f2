// Any bytes through the list reader and writer: no crash, no undefined behaviour, no leak, and
// two properties that hold for every input.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "name_list_file.h"

namespace {

class AbortingSink final : public FatalStopSink {
public:
    void showErrorBox(const Text&, const Text&) override {}
    [[noreturn]] void exitProcess(int) override { std::abort(); }
};

AbortingSink g_sink;
RuntimeErrorStop g_stop(g_sink);

// A member survives a save and a load unchanged unless the reader could pair one of its bytes
// with the comma after it: a comma inside, or a lead byte left alone at its end.
bool survivesARoundTrip(std::string_view name) {
    bool paired = false;
    for (const char ch : name) {
        if (ch == ',') {
            return false;
        }
        paired = !paired && static_cast<unsigned char>(ch) >= 0x80;
    }
    return !paired;
}

const std::string& scratchFile() {
    // On a memory file system where there is one: every run saves, and each save is flushed.
    static const std::string path = [] {
        const std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        return (base / ("name-list-fuzz-" + std::to_string(::getpid()) + ".ini")).string();
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string_view text = bytes.substr(0, bytes.find('\0'));

    // The members, joined again, give back the text but for a trailing separator.
    const NameList names = splitText(text);
    std::string joined;
    for (const Text& name : names.texts()) {
        joined += name + ",";
    }
    if (joined != text) {
        if (!joined.empty()) {
            joined.pop_back();
        }
        if (joined != text) {
            std::abort();
        }
    }

    // A pool of members that can survive comes back from a save and a load reversed.
    std::vector<Text> pool;
    for (const Text& name : names.texts()) {
        if (survivesARoundTrip(name)) {
            pool.push_back(name);
        }
    }
    NamePool saved(g_stop);
    saved.replaceAll(NameList(pool));
    if (!saveFile(scratchFile(), saved, g_stop)) {
        std::abort();
    }
    const std::vector<Text> loaded = loadFile(scratchFile(), g_stop).texts();
    if (loaded != std::vector<Text>(pool.rbegin(), pool.rend())) {
        std::abort();
    }
    return 0;
}
