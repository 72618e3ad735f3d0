#include "model/projekt_sections.h"

#include "model/dsp_channel_keys.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tavrel {

namespace {

template <typename Small>
Small readClamped(TMyIniFile& store, const std::string& section, const std::string& key,
                  std::int32_t def, std::int32_t lo, std::int32_t hi) {
    return static_cast<Small>(std::clamp(store.ReadInteger(section, key, def), lo, hi));
}

template <typename Small>
Small readInRange(TMyIniFile& store, const std::string& section, const std::string& key,
                  std::int32_t def) {
    return readClamped<Small>(store, section, key, def, std::numeric_limits<Small>::min(),
                              std::numeric_limits<Small>::max());
}

std::string partKey(int slot, const char* field) {
    return "_Part" + std::to_string(slot + 1) + field;
}

bool carriesValue(int typ) {
    return typ == PartResistor || typ == PartCapacitor || typ == PartInductance;
}

void writePart(const TWeichePart& part, int slot, TMyIniFile& store, const std::string& sec) {
    store.WriteInteger(sec, partKey(slot, "_typ"), part.typ);
    if (part.bOpti) {
        store.WriteBool(sec, partKey(slot, "_bOpti"), true);
    }
    if (part.typ >= PartDriver) {
        store.WriteInteger(sec, partKey(slot, "_verpolt"), part.verpolt);
    }
    if (part.typ == PartDriver) {
        store.WriteInteger(sec, partKey(slot, "_chassisnr"), part.chassisnr);
    }
    if (carriesValue(part.typ)) {
        store.WriteFloat(sec, partKey(slot, "_value"), part.value);
        store.WriteString(sec, partKey(slot, "_bem"), part.bem);
    }
    if (part.typ == PartInductance) {
        store.WriteFloat(sec, partKey(slot, "_Rvalue"), part.Rvalue);
    }
    if (slot >= WeicheFirstFreeWire) {
        store.WriteInteger(sec, partKey(slot, "_nod1"), part.nod1);
        store.WriteInteger(sec, partKey(slot, "_nod2"), part.nod2);
    }
}

std::int16_t readPartType(TMyIniFile& store, const std::string& sec, int slot) {
    const std::int32_t typ = store.ReadInteger(sec, partKey(slot, "_typ"), 0);
    if (typ < PartNone || typ > PartAmpOutput) {
        return PartNone;
    }
    if (slot >= WeicheFirstFreeWire && typ != PartWire) {
        return PartNone; // a free wire is either off or a wire
    }
    return static_cast<std::int16_t>(typ);
}

void readPart(TWeichePart& part, int slot, TMyIniFile& store, const std::string& sec) {
    part.typ = readPartType(store, sec, slot);
    part.bOpti = store.ReadBool(sec, partKey(slot, "_bOpti"), false);
    if (part.typ >= PartDriver) {
        part.verpolt = readInRange<std::int16_t>(store, sec, partKey(slot, "_verpolt"), 0);
    }
    if (part.typ == PartDriver) {
        part.chassisnr =
            readClamped<std::int16_t>(store, sec, partKey(slot, "_chassisnr"), 0, 0, MaxChassisNr);
    }
    if (carriesValue(part.typ)) {
        part.value = store.ReadFloat(sec, partKey(slot, "_value"), 1.0);
        part.bem = store.ReadString(sec, partKey(slot, "_bem"), "");
    }
    if (part.typ == PartInductance) {
        part.Rvalue = store.ReadFloat(sec, partKey(slot, "_Rvalue"), 0.0);
    }
    if (part.typ == PartWire && slot >= WeicheFirstFreeWire) {
        part.nod1 = readClamped<std::int32_t>(store, sec, partKey(slot, "_nod1"), part.nod1, 0,
                                              MaxWeicheNode);
        part.nod2 = readClamped<std::int32_t>(store, sec, partKey(slot, "_nod2"), part.nod2, 0,
                                              MaxWeicheNode);
    }
}

struct FloatKey {
    const char* key;
    double TEinbau::*field;
    double def;
};

constexpr FloatKey EinbauExplicit[] = {
    {"vV", &TEinbau::vV, 1.0},   {"mb", &TEinbau::mb, 1.0}, {"fmb", &TEinbau::fmb, 1.0},
    {"Ql", &TEinbau::Ql, 0.0},   {"Qb", &TEinbau::Qb, 0.0}, {"vVf", &TEinbau::vVf, 1.0},
    {"Qbf", &TEinbau::Qbf, 0.0}, {"Qk", &TEinbau::Qk, 0.0}, {"Qkf", &TEinbau::Qkf, 0.0},
};

struct DampingKey {
    const char* key;
    std::int8_t TEinbau::*field;
    std::int32_t def;
};

constexpr DampingKey EinbauDamping[] = {
    {"Bedv", &TEinbau::Bedv, 2},   {"Bedc", &TEinbau::Bedc, 2},   {"Bedk", &TEinbau::Bedk, 0},
    {"Bedvf", &TEinbau::Bedvf, 0}, {"Bedkf", &TEinbau::Bedkf, 0},
};
constexpr std::int32_t MaxDamping = 4;

struct ValueKey {
    const char* key;
    double TEinbau::*field;
};

constexpr ValueKey PortAreas[] = {{"Aport", &TEinbau::Aport}, {"Aportf", &TEinbau::Aportf}};

constexpr ValueKey RadiatorData[] = {
    {"PRSd", &TEinbau::PRSd},   {"PRVas", &TEinbau::PRVas},   {"PRfs", &TEinbau::PRfs},
    {"PRQms", &TEinbau::PRQms}, {"PRmadd", &TEinbau::PRmadd}, {"PRxmax", &TEinbau::PRxmax},
};

struct LengthKey {
    const char* key;
    double TSchallwand::*field;
};

constexpr LengthKey BaffleLengths[] = {
    {"a", &TSchallwand::a},       {"b", &TSchallwand::b},         {"c", &TSchallwand::c},
    {"d", &TSchallwand::d},       {"e", &TSchallwand::e},         {"f", &TSchallwand::f},
    {"g", &TSchallwand::g},       {"h", &TSchallwand::h},         {"i", &TSchallwand::i},
    {"hor", &TSchallwand::hor},   {"vert", &TSchallwand::vert},   {"stra", &TSchallwand::stra},
    {"horr", &TSchallwand::horr}, {"vertr", &TSchallwand::vertr}, {"strar", &TSchallwand::strar},
};

constexpr std::int32_t MaxDirection = 5;

} // namespace

void WriteAktFilter(const TAktFilter& filter, TMyIniFile& store, const std::string& section) {
    store.WriteFloat(section, "Pegel", filter.Pegel);
    for (const AktFilterSection& stage : AktFilterSections) {
        const std::string name = stage.key;
        store.WriteBool(section, name, filter.*stage.on);
        store.WriteFloat(section, name + "f", filter.*stage.f);
        if (stage.q != nullptr) {
            store.WriteFloat(section, name + "q", filter.*stage.q);
        }
    }
    WriteDspChannel(filter, store, section);
}

void ReadAktFilter(TAktFilter& filter, TMyIniFile& store, const std::string& section) {
    filter.Pegel = store.ReadFloat(section, "Pegel", 1.0);
    for (const AktFilterSection& stage : AktFilterSections) {
        const std::string name = stage.key;
        filter.*stage.on = store.ReadBool(section, name, false);
        filter.*stage.f = store.ReadFloat(section, name + "f", 100.0);
        if (stage.q != nullptr) {
            filter.*stage.q = store.ReadFloat(section, name + "q", 0.7);
        }
    }
    ReadDspChannel(filter, store, section);
}

void WriteWeiche(const TWeiche& weiche, TMyIniFile& store, const std::string& section) {
    for (int slot = 0; slot < WeicheSlots; ++slot) {
        if (weiche[slot].typ > 0) {
            writePart(weiche[slot], slot, store, section);
        }
    }
}

void ReadWeiche(TWeiche& weiche, TMyIniFile& store, const std::string& section) {
    ResetWeiche(weiche);
    for (int slot = 0; slot < WeicheSlots; ++slot) {
        readPart(weiche[slot], slot, store, section);
    }
}

void WriteGemGeh(const TGemGeh& g, TMyIniFile& store) {
    store.WriteFloat("GemGeh", "h", g.h);
    store.WriteFloat("GemGeh", "b", g.b);
    store.WriteFloat("GemGeh", "t", g.t);
    store.WriteFloat("GemGeh", "fasl", g.fasl);
    store.WriteFloat("GemGeh", "fasr", g.fasr);
    store.WriteFloat("GemGeh", "faso", g.faso);
    store.WriteFloat("GemGeh", "fasu", g.fasu);
}

void ReadGemGeh(TGemGeh& g, TMyIniFile& store) {
    g.h = store.ReadFloat("GemGeh", "h", 0);
    g.b = store.ReadFloat("GemGeh", "b", 0);
    g.t = store.ReadFloat("GemGeh", "t", 0);
    g.fasl = store.ReadFloat("GemGeh", "fasl", 0);
    g.fasr = store.ReadFloat("GemGeh", "fasr", 0);
    g.faso = store.ReadFloat("GemGeh", "faso", 0);
    g.fasu = store.ReadFloat("GemGeh", "fasu", 0);
}

void WriteEinbau(const TEinbau& e, TMyIniFile& store, const std::string& section) {
    store.WriteInteger(section, "Typ", e.Typ);
    store.WriteFloat(section, "Vb", e.Vb);
    store.WriteFloat(section, "fb", e.fb);
    store.WriteFloat(section, "Vbf", e.Vbf);
    store.WriteFloat(section, "fbf", e.fbf);
    store.WriteBool(section, "mbQExpl", e.mbQExpl);
    for (const FloatKey& k : EinbauExplicit) {
        store.WriteFloat(section, k.key, e.*k.field);
    }
    for (const DampingKey& k : EinbauDamping) {
        store.WriteInteger(section, k.key, e.*k.field);
    }
    // Only when known, so that files from before the port areas read and write back unchanged.
    for (const ValueKey& k : PortAreas) {
        if (e.*k.field != 0) {
            store.WriteFloat(section, k.key, e.*k.field);
        }
    }
    // Only for passive radiator enclosures, so that files of the other types stay unchanged.
    if (e.Typ == EinbauPassiveRadiator) {
        store.WriteInteger(section, "PRn", e.PRn);
        for (const ValueKey& k : RadiatorData) {
            store.WriteFloat(section, k.key, e.*k.field);
        }
    }
}

void ReadEinbau(TEinbau& e, TMyIniFile& store, const std::string& section) {
    e.Typ = std::clamp(store.ReadInteger(section, "Typ", 0),
                       static_cast<std::int32_t>(EinbauIntegrated),
                       static_cast<std::int32_t>(EinbauPassiveRadiator));
    e.Vb = store.ReadFloat(section, "Vb", 0);
    e.fb = store.ReadFloat(section, "fb", 0);
    e.Vbf = store.ReadFloat(section, "Vbf", 0);
    e.fbf = store.ReadFloat(section, "fbf", 0);
    e.mbQExpl = store.ReadBool(section, "mbQExpl", false);
    if (e.mbQExpl) {
        for (const FloatKey& k : EinbauExplicit) {
            e.*k.field = store.ReadFloat(section, k.key, k.def);
        }
    } else {
        for (const DampingKey& k : EinbauDamping) {
            e.*k.field = readClamped<std::int8_t>(store, section, k.key, k.def, 0, MaxDamping);
        }
    }
    for (const ValueKey& k : PortAreas) {
        const double area = store.ReadFloat(section, k.key, 0);
        e.*k.field = std::isfinite(area) && area > 0 ? area : 0; // anything else is unknown
    }
    if (e.Typ == EinbauPassiveRadiator) {
        // Kept as read: the driver check names values out of range instead of hiding them.
        e.PRn = store.ReadInteger(section, "PRn", 1);
        for (const ValueKey& k : RadiatorData) {
            e.*k.field = store.ReadFloat(section, k.key, 0);
        }
    }
}

void WriteSchallwand(const TSchallwand& w, TMyIniFile& store, const std::string& section) {
    store.WriteBool(section, "beugl", w.beugl);
    store.WriteBool(section, "beugr", w.beugr);
    store.WriteBool(section, "beugo", w.beugo);
    store.WriteBool(section, "beugu", w.beugu);
    store.WriteBool(section, "usegemgeh", w.usegemgeh);
    store.WriteInteger(section, "direction", w.direction);
    store.WriteInteger(section, "directionr", w.directionr);
    store.WriteInteger(section, "Membranform", w.Membranform);
    for (const LengthKey& k : BaffleLengths) {
        store.WriteFloat(section, k.key, w.*k.field);
    }
}

void ReadSchallwand(TSchallwand& w, TMyIniFile& store, const std::string& section, int version) {
    w.beugl = store.ReadBool(section, "beugl", true);
    w.beugr = store.ReadBool(section, "beugr", true);
    w.beugo = store.ReadBool(section, "beugo", true);
    w.beugu = store.ReadBool(section, "beugu", true);
    w.usegemgeh = store.ReadBool(section, "usegemgeh", version != 1000);
    w.direction = readClamped<std::int8_t>(store, section, "direction", 0, 0, MaxDirection);
    w.directionr = readClamped<std::int8_t>(store, section, "directionr", 0, 0, 1);
    w.Membranform = readClamped<std::int8_t>(store, section, "Membranform", 0, 0, 1);
    for (const LengthKey& k : BaffleLengths) {
        w.*k.field = store.ReadFloat(section, k.key, 0);
    }
}

} // namespace tavrel
