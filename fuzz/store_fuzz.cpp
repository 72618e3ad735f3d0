// The store file, plain and coded: loading, typed reads and writing back in both forms.
#include "fuzz_input.h"

#include <cstdint>

using namespace tavrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMyIniFile store = fuzz::StoreOf(fuzz::Bytes(data, size));
    for (const TSection& section : store.Sections()) {
        for (const std::string& key : section.Keys) {
            store.ReadFloat(section.Name, key, 0.0);
            store.ReadInteger(section.Name, key, 0);
            std::int32_t ints[8]{};
            store.ReadIntList(section.Name, key, 8, 0, ints);
            double floats[9]{};
            store.ReadFloatList(section.Name, key, 8, 1, floats);
        }
    }
    // What was read is written again in both forms, as a converted file would be.
    const std::string coded = store.ToBytes(true);
    const std::string plain = store.ToBytes(false);
    TMyIniFile::FromBytes(coded, true, false);
    TMyIniFile::FromBytes(plain, false, false);
    return 0;
}
