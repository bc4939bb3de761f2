// Writes a list of N GBK names to a file, for benchmarks of the whole program.
#include <cstdio>
#include <cstdlib>

#include "name_list_maker.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s COUNT FILE\n", argv[0]);
        return 2;
    }
    const std::string list = makeNameList(std::atoll(argv[1]));
    std::FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr || std::fwrite(list.data(), 1, list.size(), out) != list.size() ||
        std::fclose(out) != 0) {
        std::perror(argv[2]);
        return 1;
    }
    return 0;
}
