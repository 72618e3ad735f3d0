// A hostile but readable project through one full calculation: no crash, and a result that is
// not a finite number always comes with an error text.
#include "app/project_load.h"
#include "engine/calc_engine.h"
#include "fuzz_input.h"
#include "model/projekt_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace tavrel;

namespace {

/// The file's own grid makes a calculation take a tenth of a second under the sanitizers.
constexpr int FuzzGridPoints = 30;

bool speakerIsFinite(const TResult& r) {
    for (int k = 0; k < r.nFreq; ++k) {
        for (const TComplex& p : r.SpeakerDir[k]) {
            if (!std::isfinite(p.Re) || !std::isfinite(p.Im)) {
                return false;
            }
        }
        if (!std::isfinite(r.Umax[k]) || !std::isfinite(r.PmaxSpeaker[k]) ||
            !std::isfinite(r.Directivity[k])) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMyIniFile store = fuzz::StoreOf(fuzz::Bytes(data, size));
    auto project = std::make_unique<TProjekt>();
    ResetProject(*project);
    if (store.WrongHeader() || !ReadProjektStore(*project, store).ok) {
        return 0;
    }
    project->Option.sz = std::min(project->Option.sz, FuzzGridPoints);
    BuildGrid(*project);
    RefreshDerived(*project);
    TCalcEngine engine;
    engine.CalculateAll(*project);
    if (CollectErrors(engine.Status(), *project).empty() && !speakerIsFinite(engine.Result())) {
        std::fputs("a result is not finite, yet no job reported an error\n", stderr);
        std::abort();
    }
    return 0;
}
