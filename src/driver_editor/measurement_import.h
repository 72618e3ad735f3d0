// The two import commands of the driver editor: measured sound pressure and acoustic phase,
// or impedance and electrical phase, from a column text file into a driver's arrays. The
// questions, messages and the file choice go through `ImportDialogs`, so the window, the
// command line and the tests answer them each their own way.
#pragma once

#include "driver_editor/measurement_text.h"
#include "model/chassis.h"

#include <functional>
#include <string>

namespace tavrel {

enum class ImportKind { FrequencyResponse, Impedance };

struct ImportDialogs {
    /// The choice window: text, "|"-separated captions, default button (1-based); returns the
    /// 1-based number of the button pressed (0 when closed without one).
    std::function<int(const std::string& text, const std::string& captions, int def)> ask;
    /// A message with a single OK.
    std::function<void(const std::string& text)> tell;
    /// The open-file dialog with its filter texts; empty when cancelled.
    std::function<std::string(const std::string& title, const std::string& filters)> chooseFile;
};

/// The four arrays an import may fill: magnitude frequencies and values, phase frequencies
/// and values (radians).
struct ResponseArrays {
    MeasuredArray& magnitudeF;
    MeasuredArray& magnitude;
    MeasuredArray& phaseF;
    MeasuredArray& phase;
};

/// "The file contains N data sets. Maximum. 600will be selected." (pieces joined so).
std::string TooManyPointsMessage(int count);
/// Shown, in the first window after reading, for a file whose header put the phase first.
extern const char* const SwappedColumnsNote;
extern const char* const NoSuitableDataMessage;

/// The merged phase of two neighbours (degrees): the mean, or across the ±180° cut when the
/// two have opposite signs and differ by more than 180°; the one that is there when the other
/// is missing.
double MergePhase(double a, double b);
/// Merges neighbouring frequencies, closest first, until `maxCount` points remain;
/// the first point is never merged away.
void ThinOut(MeasurementPoints& points, int maxCount);

/// What a run stored: points written into the magnitude and phase lists (-1 when a list
/// was left as it was).
struct ImportResult {
    bool imported = false;
    int magnitudePoints = -1;
    int phasePoints = -1;
};

/// Asks, lets the user choose a file, reads it and stores the points. The arrays change only
/// when the result says imported.
ImportResult ImportResponse(ImportKind kind, ResponseArrays arrays, const ImportDialogs& dialogs);

bool ImportFrequencyResponse(MeasuredArray& FgangAF, MeasuredArray& FgangA, MeasuredArray& FgangAPF,
                             MeasuredArray& FgangAP, const ImportDialogs& dialogs);
bool ImportImpedanceResponse(MeasuredArray& FgangIF, MeasuredArray& FgangI, MeasuredArray& FgangIPF,
                             MeasuredArray& FgangIP, const ImportDialogs& dialogs);

} // namespace tavrel
