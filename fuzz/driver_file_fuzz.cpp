// Driver files (.TVC): reading every accepted version, deriving the model data in every kind
// of enclosure, writing back.
#include "engine/driver_model.h"
#include "fuzz_input.h"
#include "model/chassis_file.h"
#include "model/einbau.h"

#include <memory>

using namespace tavrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMyIniFile store = fuzz::StoreOf(fuzz::Bytes(data, size));
    auto driver = std::make_unique<TChassis>();
    if (!ReadChassisFileStore(*driver, store).ok) {
        return 0;
    }
    for (std::int32_t typ = EinbauIntegrated; typ <= EinbauPassiveRadiator; ++typ) {
        TEinbau einbau;
        einbau.Typ = typ;
        einbau.Vb = 0.02;
        einbau.PRSd = 0.03; // passive radiators scaled like the driver's own diaphragm
        einbau.PRVas = driver->Vas;
        einbau.PRfs = driver->fs;
        einbau.PRQms = driver->Qms;
        einbau.PRmadd = driver->_Mmd;
        EstimateEnclosure(*driver, einbau);
        CalcDerived(*driver, einbau, 1e-10);
    }
    TMyIniFile written("", false, true, false); // an empty writable store (no header check)
    WriteChassisFileStore(*driver, written);
    written.ToBytes(true);
    return 0;
}
