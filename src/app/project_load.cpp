#include "app/project_load.h"

#include "engine/driver_model.h"
#include "model/projekt_file.h"

#include <filesystem>

namespace tavrel {

void ResetProject(TProjekt& p, const TOptionBlock* programWideOptions) {
    p = TProjekt{};
    TMyIniFile empty(std::string(), false, false, false); // an empty store, as a missing file gives
    ReadProjektStore(p, empty, programWideOptions);
    for (int d = 1; d < MaxChassis; ++d) {
        p.Chassis[d] = p.Chassis[0];
        p.Einbau[d] = p.Einbau[0];
        p.Schallwand[d] = p.Schallwand[0];
    }
}

void RefreshDerivedDriver(TProjekt& p, int d) {
    EstimateEnclosure(p.Chassis[d], p.Einbau[d]);
    CalcDerived(p.Chassis[d], p.Einbau[d], 1e-10);
}

void RefreshDerived(TProjekt& p) {
    for (int d = 0; d < MaxChassis; ++d) {
        RefreshDerivedDriver(p, d);
    }
}

ProjectLoadResult LoadProjectFile(TProjekt& p, const std::string& path,
                                  const TOptionBlock* programWideOptions) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return {};
    }
    const auto notAProject = [&] {
        ResetProject(p, programWideOptions);
        return ProjectLoadResult{false, true,
                                 path + "\n" + "is not a valid project file for Tavrel."};
    };
    const FileReadResult read = ReadProjekt(p, path, programWideOptions);
    // Without its header line the store is empty, which would read as the default project.
    if (read.wrongHeader) {
        return notAProject();
    }
    if (!read.ok) {
        return {false, read.coded, read.message};
    }
    RefreshDerived(p);
    return {true, read.coded, {}};
}

} // namespace tavrel
