// Export of the active filters as settings a DSP loads: every enabled section of a channel as
// one biquad at the DSP's sample rate, with the channel's gain, delay and polarity, in the text
// that the miniDSP plug-ins, CamillaDSP or Equalizer APO read, or as csv.
#pragma once

#include "model/projekt.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

enum class DspFormat { MiniDsp, CamillaDsp, Apo, Csv };

/// Parses "minidsp", "camilladsp", "apo" or "csv".
std::optional<DspFormat> ParseDspFormat(std::string_view name);

/// The sample rate the miniDSP plug-ins run at.
constexpr int MiniDspRate = 48000;
/// The rate an analog project is exported at when none is asked for.
constexpr int DefaultDspRate = 48000;

struct DspExportRequest {
    DspFormat format = DspFormat::Csv;
    int amp = -1;    ///< 0-based amplifier, -1: all amplifiers of the project
    int rate = 0;    ///< asked-for sample rate, 0: the project's (or the default)
    int biquads = 0; ///< miniDSP: pad to this many biquads; 0: no padding
};

struct DspExportResult {
    std::string text;    ///< the file
    std::string notes;   ///< lines for the user beside the file (gains, departures from analog)
    std::string problem; ///< why nothing can be exported; empty when the text is right
    bool usage = false;  ///< the problem lies in the request rather than the project
};

/// The rate the request exports `projekt` at, or 0 with the reason in `problem`.
int DspExportRate(const TProjekt& projekt, const DspExportRequest& request, std::string& problem);

DspExportResult FormatDspExport(const TProjekt& projekt, const DspExportRequest& request);

} // namespace tavrel
