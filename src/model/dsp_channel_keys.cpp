#include "model/dsp_channel_keys.h"

namespace tavrel {

namespace {

std::string sectionKey(int k, const char* field) {
    return "EQ" + std::to_string(k + 1) + field;
}

void writeSection(const TDspSection& s, int k, TMyIniFile& store, const std::string& sec) {
    const DspTypeInfo& info = DspTypeOf(s.typ);
    store.WriteInteger(sec, sectionKey(k, "typ"), s.typ);
    store.WriteBool(sec, sectionKey(k, "on"), s.on);
    store.WriteFloat(sec, sectionKey(k, "f"), s.f);
    if (info.gain) {
        store.WriteFloat(sec, sectionKey(k, "g"), s.g);
    }
    if (info.q) {
        store.WriteFloat(sec, sectionKey(k, "q"), s.q);
    }
    if (info.target) {
        store.WriteFloat(sec, sectionKey(k, "f2"), s.f2);
        store.WriteFloat(sec, sectionKey(k, "q2"), s.q2);
    }
}

void readSection(TDspSection& s, int k, TMyIniFile& store, const std::string& sec) {
    s = TDspSection{};
    const std::int32_t typ = store.ReadInteger(sec, sectionKey(k, "typ"), DspNone);
    if (typ <= DspNone || typ > DspLastFileType) {
        return;
    }
    const DspTypeInfo& info = DspTypeOf(typ);
    s.typ = typ;
    s.on = store.ReadBool(sec, sectionKey(k, "on"), s.on);
    s.f = store.ReadFloat(sec, sectionKey(k, "f"), s.f);
    if (info.gain) {
        s.g = store.ReadFloat(sec, sectionKey(k, "g"), s.g);
    }
    if (info.q) {
        s.q = store.ReadFloat(sec, sectionKey(k, "q"), s.q);
    }
    if (info.target) {
        s.f2 = store.ReadFloat(sec, sectionKey(k, "f2"), s.f2);
        s.q2 = store.ReadFloat(sec, sectionKey(k, "q2"), s.q2);
    }
}

} // namespace

void WriteDspChannel(const TAktFilter& filter, TMyIniFile& store, const std::string& section) {
    if (filter.Delay != 0) {
        store.WriteFloat(section, "Delay", filter.Delay);
    }
    if (filter.Invert) {
        store.WriteBool(section, "Invert", true);
    }
    for (int k = 0; k < MaxDspSections; ++k) {
        if (filter.EQ[k].typ != DspNone) {
            writeSection(filter.EQ[k], k, store, section);
        }
    }
}

void ReadDspChannel(TAktFilter& filter, TMyIniFile& store, const std::string& section) {
    filter.Delay = store.ReadFloat(section, "Delay", 0.0);
    filter.Invert = store.ReadBool(section, "Invert", false);
    for (int k = 0; k < MaxDspSections; ++k) {
        readSection(filter.EQ[k], k, store, section);
    }
}

} // namespace tavrel
