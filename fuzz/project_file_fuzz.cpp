// Project files (.TVP): reading every accepted version into a fresh project, writing back.
#include "app/project_load.h"
#include "fuzz_input.h"
#include "model/projekt_file.h"

#include <memory>

using namespace tavrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMyIniFile store = fuzz::StoreOf(fuzz::Bytes(data, size));
    auto project = std::make_unique<TProjekt>();
    ResetProject(*project);
    if (!ReadProjektStore(*project, store).ok) {
        return 0;
    }
    RefreshDerived(*project);
    TMyIniFile written("", false, true, false); // an empty writable store (no header check)
    WriteProjektStore(*project, written);
    written.ToBytes(true);
    return 0;
}
