// A shipped example project for the benchmarks, loaded from data/examples the way both
// programs load a project; a failed load skips the benchmark with the reason.
#pragma once

#include "app/project_load.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <string>

namespace tavrel {

/// `name` is the example's project file name ("Default.TVP"); null after a failed load.
inline std::unique_ptr<TProjekt> LoadBenchExample(benchmark::State& state,
                                                  const std::string& name) {
    const std::string path =
        (std::filesystem::path(TAVREL_SOURCE_DIR) / "data" / "examples" / (name + ".plain"))
            .string();
    auto p = std::make_unique<TProjekt>();
    ResetProject(*p);
    const ProjectLoadResult loaded = LoadProjectFile(*p, path);
    if (!loaded.loaded) {
        state.SkipWithError((path + ": " + loaded.message).c_str());
        return nullptr;
    }
    return p;
}

} // namespace tavrel
