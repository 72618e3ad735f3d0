// Measurement files (.frd, .zma, column text): the driver editor's import of both kinds, every
// question answered with its default, reading the bytes from a file as the import does.
#include "driver_editor/measurement_import.h"
#include "fuzz_input.h"

#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

using namespace tavrel;

namespace {

std::string scratchFile() {
    return "/tmp/tavrel-measurement-fuzz-" + std::to_string(getpid()) + ".txt";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = scratchFile();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    ImportDialogs dialogs;
    dialogs.ask = [](const std::string&, const std::string&, int def) { return def; };
    dialogs.tell = [](const std::string&) {};
    dialogs.chooseFile = [&path](const std::string&, const std::string&) { return path; };
    auto driver = std::make_unique<TChassis>();
    for (const ImportKind kind : {ImportKind::FrequencyResponse, ImportKind::Impedance}) {
        ImportResponse(kind, {driver->FgangAF, driver->FgangA, driver->FgangAPF, driver->FgangAP},
                       dialogs);
    }
    std::remove(path.c_str());
    return 0;
}
