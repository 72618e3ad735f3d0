#include "app/design_report_text.h"

#include <charconv>
#include <cmath>

namespace tavrel {

namespace {

std::string g4(double value) {
    char buffer[40];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 4);
    return std::string(buffer, end.ptr);
}

std::string enclosureLine(const TEinbau& e) {
    const std::string litres = " l";
    switch (e.Typ) {
    case EinbauClosed:
        return "Enclosure: closed, " + g4(e.Vb * 1000) + litres;
    case EinbauVented:
        return "Enclosure: vented, " + g4(e.Vb * 1000) + litres + ", port tuned to " + g4(e.fb) +
               " Hz" + (e.Aport > 0 ? ", port area " + g4(e.Aport * 1e4) + " cm2" : "");
    case EinbauBandpass:
    case EinbauBandpassBivented:
        return std::string("Enclosure: ") +
               (e.Typ == EinbauBandpass ? "bandpass" : "bivented bandpass") + ", rear " +
               g4(e.Vb * 1000) + litres + ", front " + g4(e.Vbf * 1000) + litres +
               ", front port tuned to " + g4(e.fbf) + " Hz";
    case EinbauPassiveRadiator:
        return "Enclosure: passive radiator, " + g4(e.Vb * 1000) + litres + ", " +
               std::to_string(e.PRn) + " radiator(s) of " + g4(e.PRSd * 1e4) + " cm2";
    default:
        return "Enclosure: none (infinite baffle or integrated)";
    }
}

} // namespace

std::vector<std::vector<std::string>> ReportDriverLines(const TProjekt& project) {
    std::vector<std::vector<std::string>> drivers;
    for (int d = 0; d < ChassisCount(project); ++d) {
        const TChassis& c = project.Chassis[d];
        const double qts = c.Qes + c.Qms > 0 ? c.Qes * c.Qms / (c.Qes + c.Qms) : 0.0;
        const TSchallwand& w = project.Schallwand[d];
        drivers.push_back({"Driver " + std::to_string(d + 1) + ": " + c.Name.str(),
                           "fs " + g4(c.fs) + " Hz, Qes " + g4(c.Qes) + ", Qms " + g4(c.Qms) +
                               ", Qts " + g4(qts) + ", Vas " + g4(c.Vas * 1000) + " l, Re " +
                               g4(c.Re) + " ohm, Le " + g4(c.Le * 1000) + " mH, Sd " +
                               g4(c.Amem * 1e4) + " cm2, xmax " + g4(c.xlin * 1000) +
                               " mm, rated " + g4(c._PMax) + " W",
                           enclosureLine(project.Einbau[d]),
                           "Baffle: " + g4(w.b * 100) + " x " + g4(w.h * 100) +
                               " cm, driver centre " + g4(w.c * 100) + " cm from the left, " +
                               g4(w.a * 100) + " cm above the bottom edge"});
    }
    return drivers;
}

std::string ReportFilterLine(const TProjekt& project, int amp) {
    const TAktFilter& filter = project.Amps[amp].AktFilter;
    std::string line = "Amplifier " + std::to_string(amp + 1) + ": level " +
                       g4(filter.Pegel > 0 ? 20 * std::log10(filter.Pegel) : 0.0) + " dB";
    bool any = false;
    for (const AktFilterSection& section : AktFilterSections) {
        if (filter.*section.on) {
            line += std::string(", ") + section.caption + " at " + g4(filter.*section.f) + " Hz";
            if (section.q != nullptr) {
                line += " Q " + g4(filter.*section.q);
            }
            any = true;
        }
    }
    return line + (any ? "" : ", no active filter sections");
}

} // namespace tavrel
