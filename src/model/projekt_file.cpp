#include "model/projekt_file.h"

#include "model/chassis_keys.h"
#include "model/option_block.h"
#include "model/projekt_sections.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

namespace {

std::string numbered(const char* section, int index) {
    return section + std::to_string(index + 1);
}

void writeGeneral(const TProjekt& p, int nAmps, int nChassis, TMyIniFile& store) {
    store.WriteInteger("General", "nAmps", nAmps);
    store.WriteInteger("General", "nChassis", nChassis);
    store.WriteString("General", "Comment1", p.Comment1);
    store.WriteString("General", "Comment2", p.Comment2);
    if (p.DSPRate != 0) {
        store.WriteInteger("General", "DSPRate", p.DSPRate);
    }
}

void readGeneral(TProjekt& p, TMyIniFile& store) {
    p.nAmps = static_cast<std::int16_t>(
        std::clamp<std::int32_t>(store.ReadInteger("General", "nAmps", 1), 1, MaxAmps));
    p.nChassis = static_cast<std::int16_t>(
        std::clamp<std::int32_t>(store.ReadInteger("General", "nChassis", 1), 1, MaxChassis));
    p.Comment1 = store.ReadString("General", "Comment1", "");
    p.Comment2 = store.ReadString("General", "Comment2", "<d>");
    // A rate no DSP channel runs at reads as the analog filter rather than a bad calculation.
    const std::int32_t rate = store.ReadInteger("General", "DSPRate", 0);
    p.DSPRate = IsDspRate(rate) ? rate : 0;
}

void readOptions(TProjekt& p, TMyIniFile& store, int version,
                 const TOptionBlock* programWideOptions) {
    ReadOptionBlock(store, p.Option);
    if (version <= 1007) { // older files had no smoothing widths; derive them from the grid
        const double width = std::log10(p.Option.fMax / p.Option.fMin) / p.Option.sz * 7;
        p.Option.glatt_a = width;
        p.Option.glatt_i = width;
    }
    BuildGrid(p);
    if (programWideOptions != nullptr) {
        p.Option = *programWideOptions;
    }
}

void readDrivers(TProjekt& p, TMyIniFile& store, int version) {
    for (int d = 0; d < MaxChassis; ++d) {
        ReadChassisKeys(p.Chassis[d], store, numbered("Chassis", d), version,
                        ChassisFileKind::ProjectFile);
        if (version == 1000 && d < p.nChassis) {
            CompleteOldestFormatDriver(p.Chassis[d]);
        }
    }
}

} // namespace

bool IsAcceptedProjektVersion(int version) {
    return version >= 1000 && version <= CurrentFileVersion;
}

void WriteProjektStore(const TProjekt& p, TMyIniFile& store) {
    const int nAmps = AmpCount(p);
    const int nChassis = ChassisCount(p);
    store.WriteInteger("Header", "Version", CurrentFileVersion);
    writeGeneral(p, nAmps, nChassis, store);
    WriteOptionBlock(store, p.Option);
    for (int a = 0; a < nAmps; ++a) {
        WriteAktFilter(p.Amps[a].AktFilter, store, numbered("AktFilter", a));
    }
    for (int a = 0; a < nAmps; ++a) {
        WriteWeiche(p.Amps[a].Weiche, store, numbered("Weiche", a));
    }
    for (int d = 0; d < nChassis; ++d) {
        const TChassis& driver = p.Chassis[d];
        WriteChassisKeys(driver, store, numbered("Chassis", d), ChassisFileKind::ProjectFile,
                         driver._hst, driver.pubdate);
    }
    WriteGemGeh(p.GemGeh, store);
    for (int d = 0; d < nChassis; ++d) {
        WriteEinbau(p.Einbau[d], store, numbered("Einbau", d));
    }
    for (int d = 0; d < nChassis; ++d) {
        WriteSchallwand(p.Schallwand[d], store, numbered("Schallwand", d));
    }
}

FileReadResult ReadProjektStore(TProjekt& p, TMyIniFile& store,
                                const TOptionBlock* programWideOptions) {
    FileReadResult result;
    result.wrongHeader = store.WrongHeader();
    result.coded = store.Coded();
    result.version =
        store.KeyCount() > 0 ? store.ReadInteger("Header", "Version", 0) : CurrentFileVersion;
    if (!IsAcceptedProjektVersion(result.version)) {
        result.message = WrongFormatMessage;
        return result;
    }
    const int version = result.version;
    readGeneral(p, store);
    readOptions(p, store, version, programWideOptions);
    for (int a = 0; a < MaxAmps; ++a) {
        ReadAktFilter(p.Amps[a].AktFilter, store, numbered("AktFilter", a));
    }
    for (int a = 0; a < MaxAmps; ++a) {
        ReadWeiche(p.Amps[a].Weiche, store, numbered("Weiche", a));
    }
    readDrivers(p, store, version);
    ReadGemGeh(p.GemGeh, store);
    for (int d = 0; d < p.nChassis; ++d) {
        ReadEinbau(p.Einbau[d], store, numbered("Einbau", d));
    }
    for (int d = 0; d < p.nChassis; ++d) {
        ReadSchallwand(p.Schallwand[d], store, numbered("Schallwand", d), version);
    }
    result.ok = true;
    return result;
}

FileWriteResult WriteProjekt(const TProjekt& projekt, const std::string& fileName, bool coded) {
    TMyIniFile store(fileName, coded, true, false);
    WriteProjektStore(projekt, store);
    return CloseWrittenStore(store);
}

FileReadResult ReadProjekt(TProjekt& projekt, const std::string& fileName,
                           const TOptionBlock* programWideOptions) {
    TMyIniFile store = TMyIniFile::OpenStored(fileName, false);
    FileReadResult result = ReadProjektStore(projekt, store, programWideOptions);
    store.Close();
    return result;
}

} // namespace tavrel
