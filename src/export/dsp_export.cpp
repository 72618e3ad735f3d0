#include "export/dsp_export.h"

#include "engine/active_filter.h"
#include "export/export_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace tavrel {

namespace {

constexpr int Digits = 17;

std::string num(double value) {
    return Significant(value, Digits);
}

/// One amplifier's channel as the DSP gets it.
struct DspChannel {
    int amp = 0; ///< 0-based
    ChannelDesign design;
    double gain = 1; ///< linear
    double gainDb = 0;
    double delayMs = 0;
    long samples = 0;
    bool inverted = false;
};

DspChannel channelOf(const TProjekt& p, int a, int rate) {
    const TAktFilter& filter = p.Amps[a].AktFilter;
    DspChannel c;
    c.amp = a;
    c.design = DesignChannel(filter, rate);
    c.gain = filter.Pegel;
    c.gainDb = 20 * std::log10(filter.Pegel);
    c.delayMs = filter.Delay * 1000;
    c.samples = std::lround(filter.Delay * rate);
    c.inverted = filter.Invert;
    return c;
}

bool isFiniteChannel(const DspChannel& c) {
    bool finite = std::isfinite(c.gainDb) && std::isfinite(c.delayMs);
    for (int i = 0; i < c.design.count; ++i) {
        const Biquad& b = c.design.digital[i];
        finite = finite && std::isfinite(b.b0) && std::isfinite(b.b1) && std::isfinite(b.b2) &&
                 std::isfinite(b.a1) && std::isfinite(b.a2);
    }
    return finite;
}

std::string ampName(int a) {
    return std::to_string(a + 1);
}

std::string formatMiniDsp(const DspChannel& c, int padTo) {
    const int count = std::max(c.design.count, padTo);
    std::string text;
    for (int i = 0; i < count; ++i) {
        const Biquad b = i < c.design.count ? c.design.digital[i] : Biquad{};
        // The plug-ins take the feedback coefficients with the opposite sign.
        text += "biquad" + std::to_string(i + 1) + ",\nb0=" + num(b.b0) + ",\nb1=" + num(b.b1) +
                ",\nb2=" + num(b.b2) + ",\na1=" + num(0.0 - b.a1) + ",\na2=" + num(0.0 - b.a2) +
                (i + 1 < count ? ",\n" : "\n");
    }
    return text;
}

std::string filterName(const DspChannel& c, const std::string& what) {
    return "amp" + ampName(c.amp) + "_" + what;
}

std::string formatCamilla(const std::vector<DspChannel>& channels, int rate) {
    std::string text = "# Active filters at " + std::to_string(rate) +
                       " Hz. Add the devices section of your own configuration.\nfilters:\n";
    std::string pipeline = "pipeline:\n";
    for (const DspChannel& c : channels) {
        text += "  " + filterName(c, "gain") +
                ":\n    type: Gain\n    parameters:\n      gain: " + num(c.gainDb) +
                "\n      inverted: " + (c.inverted ? "true" : "false") + "\n      scale: dB\n";
        text += "  " + filterName(c, "delay") +
                ":\n    type: Delay\n    parameters:\n      delay: " + num(c.delayMs) +
                "\n      unit: ms\n      subsample: false\n";
        pipeline += "  - type: Filter\n    channels: [" + std::to_string(c.amp) +
                    "]\n    names:\n      - " + filterName(c, "gain") + "\n      - " +
                    filterName(c, "delay") + "\n";
        for (int i = 0; i < c.design.count; ++i) {
            const Biquad& b = c.design.digital[i];
            const std::string name = filterName(c, "biquad" + std::to_string(i + 1));
            text += "  " + name + ":\n    type: Biquad\n    parameters:\n      type: Free\n" +
                    "      a1: " + num(b.a1) + "\n      a2: " + num(b.a2) +
                    "\n      b0: " + num(b.b0) + "\n      b1: " + num(b.b1) +
                    "\n      b2: " + num(b.b2) + "\n";
            pipeline += "      - " + name + "\n";
        }
    }
    return text + pipeline;
}

std::string formatApo(const std::vector<DspChannel>& channels, int rate) {
    std::string text = "# Active filters at " + std::to_string(rate) + " Hz\n";
    for (const DspChannel& c : channels) {
        const std::string a = ampName(c.amp);
        text += "Channel: " + a + "\nPreamp: " + num(c.gainDb) + " dB\nDelay: " + num(c.delayMs) +
                " ms\n";
        for (int i = 0; i < c.design.count; ++i) {
            const Biquad& b = c.design.digital[i];
            text += "Filter: ON IIR Order 2 Coefficients " + num(b.b0) + " " + num(b.b1) + " " +
                    num(b.b2) + " 1 " + num(b.a1) + " " + num(b.a2) + "\n";
        }
        if (c.inverted) {
            text += "Copy: " + a + "=-1*" + a + "\n";
        }
    }
    return text;
}

std::string formatCsv(const std::vector<DspChannel>& channels) {
    std::string text = "amplifier,biquad,b0,b1,b2,a1,a2\n";
    for (const DspChannel& c : channels) {
        const std::string a = ampName(c.amp);
        for (int i = 0; i < c.design.count; ++i) {
            const Biquad& b = c.design.digital[i];
            text += a + "," + std::to_string(i + 1) + "," + num(b.b0) + "," + num(b.b1) + "," +
                    num(b.b2) + "," + num(b.a1) + "," + num(b.a2) + "\n";
        }
        text += a + ",gain," + num(c.gain) + "\n";
        text += a + ",delay," + num(c.delayMs) + "," + std::to_string(c.samples) + "\n";
        text += a + ",polarity," + (c.inverted ? "-1" : "1") + "\n";
    }
    return text;
}

/// Where the digital channel departs most from the analog one in level.
struct Departure {
    double db = 0;       ///< the largest level difference
    double f = 0;        ///< where it lies
    double analogDb = 0; ///< the analog channel's level there
};

/// The largest level difference between the digital and the analog channel on the project's
/// grid below 20 kHz (and below half the rate).
Departure departureOf(const TProjekt& p, int a, int rate) {
    const ChannelDesign digital = DesignChannel(p.Amps[a].AktFilter, rate);
    const ChannelDesign analog = DesignChannel(p.Amps[a].AktFilter, 0);
    Departure worst;
    for (int k = 0; k < GridSize && p.f[k] > 0; ++k) {
        const double f = p.f[k];
        if (f >= 20000 || f >= rate / 2.0) {
            break;
        }
        const double d = CAbs(ChannelResponse(digital, f));
        const double n = CAbs(ChannelResponse(analog, f));
        const double db = std::abs(20 * std::log10(d / n));
        // Where both are nearly silent (a notch) there is no level to compare.
        if (d > 1e-12 && n > 1e-12 && db > worst.db) {
            worst = {db, f, 20 * std::log10(n)};
        }
    }
    return worst;
}

std::string notesOf(const TProjekt& p, const std::vector<DspChannel>& channels, int rate,
                    bool miniDsp) {
    std::string notes;
    for (const DspChannel& c : channels) {
        const std::string a = "Amplifier " + ampName(c.amp) + ": ";
        if (miniDsp) {
            notes += a + "gain " + num(c.gainDb) + " dB, delay " + num(c.delayMs) +
                     " ms, polarity " + (c.inverted ? "inverted" : "normal") + "\n";
        }
        if (p.DSPRate == 0) {
            const Departure d = departureOf(p, c.amp, rate);
            char text[200];
            std::snprintf(text, sizeof text,
                          "the digital filter at %d Hz departs from the analog one by up to "
                          "%.3g dB below 20 kHz (at %.0f Hz, where the analog level is %.3g dB)\n",
                          rate, d.db, d.f, d.analogDb);
            notes += a + text;
        }
    }
    return notes;
}

DspExportResult refuse(std::string problem, bool usage) {
    DspExportResult result;
    result.problem = std::move(problem);
    result.usage = usage;
    return result;
}

std::optional<DspExportResult> checkRequest(const TProjekt& p, const DspExportRequest& request,
                                            int rate) {
    const int n = AmpCount(p);
    if (request.amp >= n || request.amp < -1) {
        return refuse("amplifier " + std::to_string(request.amp + 1) +
                          " does not exist; the project has " + std::to_string(n) + " amplifiers",
                      true);
    }
    if (request.format != DspFormat::MiniDsp) {
        return std::nullopt;
    }
    if (request.amp < 0 && n > 1) {
        return refuse("the miniDSP format holds one channel: choose one amplifier (--amp A)", true);
    }
    if (rate != MiniDspRate) {
        return refuse("the miniDSP plug-ins run at 48000 Hz, not " + std::to_string(rate) + " Hz",
                      true);
    }
    return std::nullopt;
}

} // namespace

std::optional<DspFormat> ParseDspFormat(std::string_view name) {
    if (name == "minidsp") {
        return DspFormat::MiniDsp;
    }
    if (name == "camilladsp") {
        return DspFormat::CamillaDsp;
    }
    if (name == "apo") {
        return DspFormat::Apo;
    }
    if (name == "csv") {
        return DspFormat::Csv;
    }
    return std::nullopt;
}

int DspExportRate(const TProjekt& p, const DspExportRequest& request, std::string& problem) {
    if (request.rate != 0 && !IsDspRate(request.rate)) {
        problem = "unknown sample rate " + std::to_string(request.rate) +
                  " (44100, 48000, 96000 or 192000)";
        return 0;
    }
    if (p.DSPRate != 0 && request.rate != 0 && request.rate != p.DSPRate) {
        problem = "the project's DSP runs at " + std::to_string(p.DSPRate) + " Hz, not " +
                  std::to_string(request.rate) + " Hz";
        return 0;
    }
    if (p.DSPRate != 0) {
        return p.DSPRate;
    }
    return request.rate != 0 ? request.rate : DefaultDspRate;
}

DspExportResult FormatDspExport(const TProjekt& p, const DspExportRequest& request) {
    std::string problem;
    const int rate = DspExportRate(p, request, problem);
    if (rate == 0) {
        return refuse(problem, true);
    }
    if (auto refused = checkRequest(p, request, rate)) {
        return *refused;
    }
    std::vector<DspChannel> channels;
    for (int a = 0; a < AmpCount(p); ++a) {
        if (request.amp >= 0 && a != request.amp) {
            continue;
        }
        if (std::string error = CheckAktFilter(p.Amps[a].AktFilter, a, rate); !error.empty()) {
            return refuse(error, false);
        }
        channels.push_back(channelOf(p, a, rate));
        if (!isFiniteChannel(channels.back())) {
            return refuse("Error: frequency response of active filter at amp " + ampName(a) +
                              " cannot be calculated.",
                          false);
        }
    }
    DspExportResult result;
    switch (request.format) {
    case DspFormat::MiniDsp:
        if (request.biquads > 0 && channels[0].design.count > request.biquads) {
            return refuse("amplifier " + ampName(channels[0].amp) + " needs " +
                              std::to_string(channels[0].design.count) + " biquads, more than " +
                              std::to_string(request.biquads),
                          false);
        }
        result.text = formatMiniDsp(channels[0], request.biquads);
        break;
    case DspFormat::CamillaDsp:
        result.text = formatCamilla(channels, rate);
        break;
    case DspFormat::Apo:
        result.text = formatApo(channels, rate);
        break;
    case DspFormat::Csv:
        result.text = formatCsv(channels);
        break;
    }
    result.notes = notesOf(p, channels, rate, request.format == DspFormat::MiniDsp);
    return result;
}

} // namespace tavrel
