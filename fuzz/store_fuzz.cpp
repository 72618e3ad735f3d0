// The store file, plain and coded: loading never faults, typed reads of every key, and what a
// store writes reads back as the same sections: a plain store in either form, a coded one in
// its own (a coded value may hold line breaks, which the plain form cannot).
#include "fuzz_input.h"

#include <cstdint>
#include <cstdlib>

using namespace tavrel;

namespace {

void expectSameSections(const TMyIniFile& a, const TMyIniFile& b) {
    if (a.Sections().size() != b.Sections().size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < a.Sections().size(); ++i) {
        const TSection& x = a.Sections()[i];
        const TSection& y = b.Sections()[i];
        if (x.Name != y.Name || x.Keys != y.Keys || x.Values != y.Values) {
            std::abort();
        }
    }
}

} // namespace

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
    expectSameSections(store, TMyIniFile::FromBytes(store.ToBytes(true), true, false));
    if (!store.Coded()) {
        expectSameSections(store, TMyIniFile::FromBytes(store.ToBytes(false), false, false));
    }
    return 0;
}
