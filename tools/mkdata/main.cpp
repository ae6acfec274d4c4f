// mkdata: builds the read-only default data set from data/ and from seeded generators.
//   mkdata --source <data sources> --out <data set folder> [--only <generator>]
#include "mkdata/generator.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

using namespace q71::mkdata;

int main(int argc, char** argv) {
    Context context;
    std::string only;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--source") == 0)
            context.source = argv[i + 1];
        else if (std::strcmp(argv[i], "--out") == 0)
            context.out = argv[i + 1];
        else if (std::strcmp(argv[i], "--only") == 0)
            only = argv[i + 1];
    }
    if (context.source.empty() || context.out.empty()) {
        std::fputs("usage: mkdata --source <dir> --out <dir> [--only <generator>]\n", stderr);
        return 2;
    }
    try {
        std::filesystem::create_directories(context.out);
        for (const Generator& g : generators()) {
            if (!only.empty() && only != g.name)
                continue;
            g.run(context);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkdata: %s\n", e.what());
        return 1;
    }
    return 0;
}
