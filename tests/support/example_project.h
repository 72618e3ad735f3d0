// A shipped example project, loaded from data/examples the way both programs load a project.
#pragma once

#include "app/project_load.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace tavrel::test {

/// `name` is the example's project file name ("Default.TVP"); a failed load fails the test.
inline std::unique_ptr<TProjekt> LoadExample(const std::string& name) {
    auto p = std::make_unique<TProjekt>();
    ResetProject(*p);
    const ProjectLoadResult loaded =
        LoadProjectFile(*p, std::string(TAVREL_SOURCE_DIR) + "/data/examples/" + name + ".plain");
    EXPECT_TRUE(loaded.loaded) << name << ": " << loaded.message;
    return p;
}

} // namespace tavrel::test
