#include "model/chassis_keys.h"

#include "model/file_result.h"
#include "model/voice_coil_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>

namespace tavrel {

namespace {

// The file format's own (truncated) value of pi; the phase conversions must use it.
constexpr double FilePi = 3.1415926;
constexpr double HalfTurnLimit = 3.141592653;
constexpr double FullTurn = 6.283185306;

struct ChassisKeyRules {
    bool driverFile;
    int degreesFrom;   // phases are stored in degrees from this version on
    int unshiftedFrom; // acoustic phases are no longer shifted by half a turn from here
    double re2Default, le2Default, re3Default, le3Default;
};

ChassisKeyRules rulesFor(ChassisFileKind kind) {
    if (kind == ChassisFileKind::DriverFile) {
        return {true, 1104, 1105, 0.0, 0.0, 0.000001, 0.000001};
    }
    return {false, 1004, 1005, 0.001, 0.000001, 0.001, 0.000001};
}

void writeMeasured(TMyIniFile& store, const std::string& section, const char* fKey,
                   const char* vKey, const MeasuredArray& f, const MeasuredArray& v, bool phase) {
    const int n = MeasuredCount(f);
    const int count = n < MeasuredSize ? n + 1 : MeasuredSize;
    store.WriteFloatList(section, fKey, count, 0, f.data());
    if (!phase) {
        store.WriteFloatList(section, vKey, count, 0, v.data());
        return;
    }
    MeasuredArray degrees{};
    for (int i = 0; i < count; ++i) {
        degrees[i] = PhaseToFileDegrees(v[i]);
    }
    store.WriteFloatList(section, vKey, count, 0, degrees.data());
}

// Returns the number of points read. Values missing from a shorter value list read as 0.
int readMeasured(TMyIniFile& store, const std::string& section, const char* fKey, const char* vKey,
                 MeasuredArray& f, MeasuredArray& v) {
    const int n = store.ReadFloatList(section, fKey, MeasuredMaxPoints, 0, f.data());
    f[n] = 0.0;
    f[MeasuredMaxPoints] = 0.0;
    const int nv = store.ReadFloatList(section, vKey, MeasuredMaxPoints, 0, v.data());
    for (int i = nv; i < n; ++i) {
        v[i] = 0.0;
    }
    return n;
}

void shiftHalfTurn(MeasuredArray& phase, int n) {
    for (int i = 0; i < n; ++i) {
        phase[i] += FilePi;
        if (phase[i] > HalfTurnLimit) {
            phase[i] -= FullTurn;
        }
    }
}

void degreesToRadians(MeasuredArray& phase, int n) {
    for (int i = 0; i < n; ++i) {
        phase[i] = FileDegreesToPhase(phase[i]);
    }
}

std::int16_t readFgangWhich(TMyIniFile& store, const std::string& section, int version,
                            const ChassisKeyRules& rules) {
    const int renumbered = rules.degreesFrom; // the measurement list was renumbered twice
    // Wider than the stored integer, so that renumbering the largest one cannot overflow.
    std::int64_t value = store.ReadInteger(section, "fgang_which", version < renumbered ? 4 : 5);
    if (version < renumbered) {
        if (value > 1) {
            ++value;
        }
    } else if (version < renumbered + 2 && value >= 6) {
        value -= 3;
    }
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(value, INT16_MIN, INT16_MAX));
}

std::int32_t readDriverTyp(TMyIniFile& store, const std::string& section, int version) {
    std::int32_t typ = store.ReadInteger(section, "typ", 0);
    if (typ < 0) {
        typ = 0;
    }
    if (version < 1107) { // bit 16 moved to bit 20
        typ = (typ & 65535) | ((typ & 65536) * 16);
    }
    return typ;
}

void readMeasuredResponses(TChassis& d, TMyIniFile& store, const std::string& section, int version,
                           const ChassisKeyRules& rules) {
    readMeasured(store, section, "FgangAF", "FgangA", d.FgangAF, d.FgangA);
    const int nAP = readMeasured(store, section, "FgangAPF", "FgangAP", d.FgangAPF, d.FgangAP);
    readMeasured(store, section, "FgangIF", "FgangI", d.FgangIF, d.FgangI);
    const int nIP = readMeasured(store, section, "FgangIPF", "FgangIP", d.FgangIPF, d.FgangIP);
    if (version >= rules.degreesFrom) {
        degreesToRadians(d.FgangAP, nAP);
        degreesToRadians(d.FgangIP, nIP);
    }
    if (version < rules.unshiftedFrom) {
        shiftHalfTurn(d.FgangAP, nAP);
    }
}

} // namespace

double PhaseToFileDegrees(double radians) {
    return std::nearbyint(radians * 180000.0 / FilePi) / 1000.0;
}

double FileDegreesToPhase(double degrees) {
    return degrees * FilePi / 180.0;
}

void WriteChassisKeys(const TChassis& d, TMyIniFile& s, const std::string& sec,
                      ChassisFileKind kind, bool hst, std::string_view pubdate) {
    s.WriteString(sec, "Name", d.Name);
    s.WriteString(sec, "Kommentar", d.Kommentar);
    s.WriteInteger(sec, "typ", d.typ);
    s.WriteBool(sec, "hintengeschl", d.hintengeschl);
    s.WriteInteger(sec, "fgang_which", d.fgang_which);
    s.WriteFloat(sec, "fs", d.fs);
    s.WriteFloat(sec, "Qes", d.Qes);
    s.WriteFloat(sec, "Qms", d.Qms);
    s.WriteFloat(sec, "Vas", d.Vas);
    s.WriteFloat(sec, "Re", d.Re);
    s.WriteFloat(sec, "Le", d.Le);
    s.WriteFloat(sec, "Re2", d.Re2);
    s.WriteFloat(sec, "Le2", d.Le2);
    s.WriteFloat(sec, "Re3", d.Re3);
    s.WriteFloat(sec, "Le3", d.Le3);
    s.WriteFloat(sec, "Amem", d.Amem);
    s.WriteFloat(sec, "xlin", d.xlin);
    s.WriteFloat(sec, "xmax", d.xmax);
    s.WriteFloat(sec, "seo", d.seo);
    s.WriteBool(sec, "useFgangA", d.useFgangA);
    s.WriteBool(sec, "useFgangAP", d.useFgangAP);
    s.WriteBool(sec, "useFgangA2fs", d.useFgangA2fs);
    s.WriteBool(sec, "useFgangI", d.useFgangI);
    s.WriteBool(sec, "useFgangIP", d.useFgangIP);
    if (kind == ChassisFileKind::DriverFile) { // a project keeps it with the baffle
        s.WriteInteger(sec, "Membranform", d.Membranform);
    }
    writeMeasured(s, sec, "FgangAF", "FgangA", d.FgangAF, d.FgangA, false);
    writeMeasured(s, sec, "FgangAPF", "FgangAP", d.FgangAPF, d.FgangAP, true);
    writeMeasured(s, sec, "FgangIF", "FgangI", d.FgangIF, d.FgangI, false);
    writeMeasured(s, sec, "FgangIPF", "FgangIP", d.FgangIPF, d.FgangIP, true);
    s.WriteFloat(sec, "_ZNenn", d._ZNenn);
    s.WriteFloat(sec, "_PNorm", d._PNorm);
    s.WriteFloat(sec, "_PMax", d._PMax);
    s.WriteFloat(sec, "_Hvc", d._Hvc);
    s.WriteFloat(sec, "_Dvc", d._Dvc);
    s.WriteFloat(sec, "_Hpp", d._Hpp);
    s.WriteFloat(sec, "_Bl", d._Bl);
    s.WriteFloat(sec, "_SPL", d._SPL);
    s.WriteFloat(sec, "_Le", d._Le);
    s.WriteFloat(sec, "_Mmd", d._Mmd);
    s.WriteString(sec, "_fu", d._fu);
    s.WriteString(sec, "_fo", d._fo);
    s.WriteFloat(sec, "_magind", d._magind);
    s.WriteFloat(sec, "_magflu", d._magflu);
    s.WriteString(sec, "_bnr", d._bnr);
    if (hst) {
        s.WriteString(sec, "_hst", "   ");
    } else {
        s.DeleteKey(sec, "_hst");
    }
    s.WriteString(sec, "_Da", d._Da);
    s.WriteFloat(sec, "_Etiefe", d._Etiefe);
    s.WriteFloat(sec, "_Ausschn", d._Ausschn);
    s.WriteFloat(sec, "_Gewicht", d._Gewicht);
    s.WriteInteger(sec, "Filters", d.Filters);
    s.WriteString(sec, "pubdate", pubdate);
    s.WriteString(sec, "OrgFilename", d.OrgFilename);
}

void ReadChassisKeys(TChassis& d, TMyIniFile& s, const std::string& sec, int version,
                     ChassisFileKind kind) {
    const ChassisKeyRules rules = rulesFor(kind);
    d.Name = s.ReadString(sec, "Name", "");
    d.Kommentar = s.ReadString(sec, "Kommentar", "");
    d.typ = rules.driverFile ? readDriverTyp(s, sec, version) : s.ReadInteger(sec, "typ", 0);
    d.hintengeschl = s.ReadBool(sec, "hintengeschl", false);
    d.fgang_which = readFgangWhich(s, sec, version, rules);
    d.fs = s.ReadFloat(sec, "fs", 0);
    d.Qes = s.ReadFloat(sec, "Qes", 0);
    d.Qms = s.ReadFloat(sec, "Qms", 0);
    d.Vas = s.ReadFloat(sec, "Vas", 0);
    d.Re = s.ReadFloat(sec, "Re", 0);
    d.Le = s.ReadFloat(sec, "Le", 0);
    d.Re2 = s.ReadFloat(sec, "Re2", rules.re2Default);
    d.Le2 = s.ReadFloat(sec, "Le2", rules.le2Default);
    d.Re3 = s.ReadFloat(sec, "Re3", rules.re3Default);
    d.Le3 = s.ReadFloat(sec, "Le3", rules.le3Default);
    d.Amem = s.ReadFloat(sec, "Amem", 0);
    d.xlin = s.ReadFloat(sec, "xlin", 0);
    d.xmax = s.ReadFloat(sec, "xmax", 0);
    d.seo = s.ReadFloat(sec, "seo", 0);
    d.useFgangA = s.ReadBool(sec, "useFgangA", false);
    d.useFgangAP = s.ReadBool(sec, "useFgangAP", false);
    d.useFgangA2fs = s.ReadBool(sec, "useFgangA2fs", false);
    d.useFgangI = s.ReadBool(sec, "useFgangI", false);
    d.useFgangIP = s.ReadBool(sec, "useFgangIP", false);
    if (version < CurrentFileVersion) {
        d.useFgangA2fs = !d.hintengeschl;
    }
    if (rules.driverFile) {
        d.Membranform = static_cast<std::int8_t>(
            std::clamp<std::int32_t>(s.ReadInteger(sec, "Membranform", 0), 0, 1));
    }
    readMeasuredResponses(d, s, sec, version, rules);
    d._ZNenn = s.ReadFloat(sec, "_ZNenn", 0);
    d._PNorm = s.ReadFloat(sec, "_PNorm", 0);
    d._PMax = s.ReadFloat(sec, "_PMax", 0);
    d._Hvc = s.ReadFloat(sec, "_Hvc", 0);
    d._Dvc = s.ReadFloat(sec, "_Dvc", 0);
    d._Hpp = s.ReadFloat(sec, "_Hpp", 0);
    d._Bl = s.ReadFloat(sec, "_Bl", 0);
    d._SPL = s.ReadFloat(sec, "_SPL", 0);
    d._Le = s.ReadFloat(sec, "_Le", 0);
    d._Mmd = s.ReadFloat(sec, "_Mmd", 0);
    d._fu = s.ReadString(sec, "_fu", "");
    d._fo = s.ReadString(sec, "_fo", "");
    d._magind = s.ReadFloat(sec, "_magind", 0);
    d._magflu = s.ReadFloat(sec, "_magflu", 0);
    d._bnr = s.ReadString(sec, "_bnr", "");
    d._hst = s.ReadString(sec, "_hst", "xxxx") == "   ";
    d._Da = s.ReadString(sec, "_Da", "");
    d._Etiefe = s.ReadFloat(sec, "_Etiefe", 0);
    d._Ausschn = s.ReadFloat(sec, "_Ausschn", 0);
    d._Gewicht = s.ReadFloat(sec, "_Gewicht", 0);
    d.Filters = s.ReadInteger(sec, "Filters", 119);
    d.pubdate = s.ReadString(sec, "pubdate", "01.01.2000");
    d.OrgFilename = s.ReadString(sec, "OrgFilename", "");
}

void CompleteOldestFormatDriver(TChassis& driver) {
    // Without these the equivalent circuit is undefined; such a driver is left as read.
    if (!(driver.fs > 0.0 && driver.Qes > 0.0 && driver.Re > 0.0)) {
        return;
    }
    constexpr double Pi = 3.141592653589793;
    driver.Rms = driver.Re * driver.Qms / driver.Qes;
    driver.Cms = driver.Qes / (2 * Pi * driver.fs * driver.Re);
    driver.Lms = driver.Re / (2 * Pi * driver.fs * driver.Qes);
    auto working = std::make_unique<TChassis>(driver);
    if (FitVoiceCoil(*working).ok) {
        driver.Re2 = working->Re2;
        driver.Le2 = working->Le2;
    }
}

} // namespace tavrel
