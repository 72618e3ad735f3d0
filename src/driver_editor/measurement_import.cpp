#include "driver_editor/measurement_import.h"

#include <cmath>
#include <fstream>

namespace tavrel {

const char* const SwappedColumnsNote =
    "The header names the phase before the magnitude: the two value columns have been swapped.";
const char* const NoSuitableDataMessage = "File does not provide suitable data.";

namespace {

constexpr const char* LineBreak = "\r\n";
constexpr int MaxFrequencyResponsePoints = 599;
constexpr int MaxImpedancePoints = 600;

std::string explanation(ImportKind kind) {
    if (kind == ImportKind::FrequencyResponse) {
        return std::string("Import frequency response as ASCII file .") + LineBreak +
               "An ASCII-file with tab or blank as seperator is expected. One line has to contain "
               "frequency, amplitude [dB] and/or phase. The decimal seperator may be \".\" or "
               "\",\" (usual in german language). thousand seperators are not allowed. Units "
               "followed after the numbers will be  ignored." +
               LineBreak +
               "Lines that do not start with blank, \"+\", \"-\", \".\", \",\" or a digit will be "
               "ignored. Unit of amplitude is dB/2.83V/1m. Unit of phase in \xB0. 0\xB0 means "
               "that the driver is at the front limit of excursion if voltage is maximum "
               "positive. .";
    }
    return std::string("Import impedance response as ASCII file.") + LineBreak +
           "An ASCII-file with tab or blank as seperator is expected.  One line has to contain "
           "frequency, impedance magnitude and phase in one line. The decimal seperator may be "
           "\".\" or \",\" (usual in german language).  thousand seperators are not allowed. "
           "Units followed after the numbers will be  ignored." +
           LineBreak +
           "Lines that do not start with blank, \"+\", \"-\", \".\", \",\" or a digit will be "
           "ignored. Impedance is expected in ohm, phase in degree. > 0 means inductive, < 0 "
           "means capacitive.";
}

std::string fileFilters(ImportKind kind) {
    return kind == ImportKind::FrequencyResponse ? "*.asc; *.txt; *.frd; *.amp; *.oct|*.*"
                                                 : "*.asc; *.txt; *.zma; *.imp; *.oct|*.*";
}

enum class Columns { MagnitudeAndPhase, MagnitudeOnly, PhaseOnly, Aborted };

/// Windows after the file was read; the first one carries the header note, if any.
class AfterReading {
public:
    AfterReading(const ImportDialogs& dialogs, bool swapped)
        : m_dialogs(dialogs), m_note(swapped ? SwappedColumnsNote : "") {}
    int ask(const std::string& text, const std::string& captions, int def) {
        return m_dialogs.ask(withNote(text), captions, def);
    }
    void tell(const std::string& text) { m_dialogs.tell(withNote(text)); }
    void flush() {
        if (!m_note.empty()) {
            m_dialogs.tell(withNote(""));
        }
    }

private:
    std::string withNote(const std::string& text) {
        if (m_note.empty()) {
            return text;
        }
        std::string result = text.empty() ? m_note : text + LineBreak + m_note;
        m_note.clear();
        return result;
    }
    const ImportDialogs& m_dialogs;
    std::string m_note;
};

bool hasSecondColumn(const MeasurementPoints& points) {
    for (double v : points.value2) {
        if (v != 0.0 && !std::isnan(v)) {
            return true;
        }
    }
    return false;
}

bool looksLikePhase(const MeasurementPoints& points, ImportKind kind) {
    for (double v : points.value1) {
        const bool low = kind == ImportKind::FrequencyResponse ? v < 0.0 : v <= 0.0;
        if (low || v > 120.0) {
            return true;
        }
    }
    return false;
}

/// The question about a single value column; button 0 (window closed) aborts.
Columns askSingleColumn(ImportKind kind, bool phaseLike, AfterReading& windows) {
    const std::string intro =
        std::string("Only one data column has been found in the file..") + LineBreak;
    int pressed = 0;
    if (kind == ImportKind::FrequencyResponse) {
        if (phaseLike) {
            pressed = windows.ask(intro + "Obviously it is the phase response.",
                                  "Data is phase response|Data is amplitude response", 1);
            return pressed == 0   ? Columns::Aborted
                   : pressed == 2 ? Columns::MagnitudeOnly
                                  : Columns::PhaseOnly;
        }
        pressed = windows.ask(intro + "Obvuiously data is amplitude response.",
                              "Obviously data is amplitude response |Obviously data is Phase "
                              "respomce",
                              1);
        return pressed == 0   ? Columns::Aborted
               : pressed == 2 ? Columns::PhaseOnly
                              : Columns::MagnitudeOnly;
    }
    pressed =
        windows.ask(intro + (phaseLike ? "Obviously it is the phase response."
                                       : "Obviously it is impedance response."),
                    "Data are electric phase|Data are impedance magnitude", phaseLike ? 1 : 2);
    return pressed == 0   ? Columns::Aborted
           : pressed == 1 ? Columns::PhaseOnly
                          : Columns::MagnitudeOnly;
}

/// Phases of any number of turns are stored within ±180°, as every other phase.
double wrapDegrees(double degrees) {
    double wrapped = std::fmod(degrees, 360.0);
    if (wrapped > 180.0) {
        wrapped -= 360.0;
    } else if (wrapped <= -180.0) {
        wrapped += 360.0;
    }
    return wrapped;
}

/// Writes the points whose value is there (a phase may be missing) and returns their number.
int writePair(MeasuredArray& F, MeasuredArray& V, const MeasurementPoints& points,
              const std::vector<double>& values, bool phase) {
    int n = 0;
    for (int k = 0; k < points.count(); ++k) {
        if (std::isnan(values[k])) {
            continue;
        }
        F[n] = points.f[k];
        V[n] = phase ? wrapDegrees(values[k]) / 180.0 * 3.1415926 : values[k];
        ++n;
    }
    for (int k = n; k < MeasuredMaxPoints; ++k) {
        F[k] = 0.0;
        V[k] = 0.0;
    }
    F[n] = 0.0;
    return n;
}

} // namespace

std::string TooManyPointsMessage(int count) {
    return "The file contains " + std::to_string(count) + " data sets. " + "Maximum. " + "600" +
           "will be selected.";
}

double MergePhase(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) {
        return std::isnan(a) ? b : a;
    }
    const double mean = (a + b) / 2.0;
    if ((a < 0.0) != (b < 0.0) && std::fabs(a - b) > 180.0) {
        const double across = mean + 180.0;
        return across > 180.0 ? across - 360.0 : across;
    }
    return mean;
}

void ThinOut(MeasurementPoints& points, int maxCount) {
    double tolerance = 0.0025;
    std::vector<bool> removed;
    while (points.count() > maxCount) {
        const int n = points.count();
        removed.assign(static_cast<std::size_t>(n), false);
        // Merging i with i+1 leaves every index below i as it was, so a pass can mark the
        // merged-away points and close the gaps once at its end.
        // Merging stops as soon as the count is down to the maximum: a last pass over
        // evenly spaced points would otherwise merge nearly all of them and halve the data.
        int left = n;
        for (int i = n - 2; i >= 1 && left > maxCount;) {
            if (points.f[i] / points.f[i + 1] > 1.0 - tolerance) {
                points.f[i] = (points.f[i] + points.f[i + 1]) / 2.0;
                points.value1[i] = (points.value1[i] + points.value1[i + 1]) / 2.0;
                points.value2[i] = MergePhase(points.value2[i], points.value2[i + 1]);
                removed[static_cast<std::size_t>(i + 1)] = true;
                --left;
                i -= 2;
            } else {
                i -= 1;
            }
        }
        int kept = 0;
        for (int k = 0; k < n; ++k) {
            if (!removed[static_cast<std::size_t>(k)]) {
                points.f[kept] = points.f[k];
                points.value1[kept] = points.value1[k];
                points.value2[kept] = points.value2[k];
                ++kept;
            }
        }
        points.f.resize(kept);
        points.value1.resize(kept);
        points.value2.resize(kept);
        tolerance += 0.00025;
    }
}

ImportResult ImportResponse(ImportKind kind, ResponseArrays arrays, const ImportDialogs& dialogs) {
    if (dialogs.ask(explanation(kind), "Ok|Abort", 1) != 1) {
        return {};
    }
    const std::string path =
        dialogs.chooseFile(kind == ImportKind::FrequencyResponse ? "Import frequency response"
                                                                 : "Import impedance response",
                           fileFilters(kind));
    if (path.empty()) {
        return {};
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        dialogs.tell("Cannot open the file " + path + ".");
        return {};
    }
    MeasurementPoints points = ReadMeasurementPoints(file);
    if (file.bad()) {
        dialogs.tell("Cannot read the file " + path + ".");
        return {};
    }
    AfterReading windows(dialogs, points.swappedByHeader);
    if (points.count() == 0) {
        windows.tell(NoSuitableDataMessage);
        return {};
    }
    Columns columns = Columns::MagnitudeAndPhase;
    if (!hasSecondColumn(points)) {
        columns = askSingleColumn(kind, looksLikePhase(points, kind), windows);
        if (columns == Columns::Aborted) {
            return {};
        }
        if (columns == Columns::PhaseOnly) {
            points.value2 = points.value1;
        }
    }
    const int limit =
        kind == ImportKind::FrequencyResponse ? MaxFrequencyResponsePoints : MaxImpedancePoints;
    if (points.count() > limit) {
        windows.tell(TooManyPointsMessage(points.count()));
        ThinOut(points, MaxFrequencyResponsePoints);
    }
    windows.flush();

    ImportResult result;
    result.imported = true;
    if (columns != Columns::PhaseOnly) {
        result.magnitudePoints =
            writePair(arrays.magnitudeF, arrays.magnitude, points, points.value1, false);
    }
    if (columns != Columns::MagnitudeOnly) {
        result.phasePoints = writePair(arrays.phaseF, arrays.phase, points, points.value2, true);
    }
    return result;
}

bool ImportFrequencyResponse(MeasuredArray& FgangAF, MeasuredArray& FgangA, MeasuredArray& FgangAPF,
                             MeasuredArray& FgangAP, const ImportDialogs& dialogs) {
    return ImportResponse(ImportKind::FrequencyResponse, {FgangAF, FgangA, FgangAPF, FgangAP},
                          dialogs)
        .imported;
}

bool ImportImpedanceResponse(MeasuredArray& FgangIF, MeasuredArray& FgangI, MeasuredArray& FgangIPF,
                             MeasuredArray& FgangIP, const ImportDialogs& dialogs) {
    return ImportResponse(ImportKind::Impedance, {FgangIF, FgangI, FgangIPF, FgangIP}, dialogs)
        .imported;
}

} // namespace tavrel
