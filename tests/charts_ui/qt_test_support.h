// The QApplication of widget and painting tests, and
// a hand-filled result that resembles a two-way speaker on a 100-point grid.
#pragma once

#include "engine/result.h"
#include "model/projekt.h"
#include "support/qt_application.h"

#include <QImage>
#include <cmath>
#include <memory>

namespace tavrel::testing {

/// Pressure for a level in dB (112 dB is a magnitude of 1), with phase `phi`.
inline TComplex PressureOf(double level, double phi = 0.0) {
    return CPolar(std::pow(10.0, (level - 112.0) / 20.0), phi);
}

constexpr int SamplePoints = 100;

/// Woofer on amplifier 1, tweeter on amplifier 2; every value inside its chart's range.
/// `shift` moves all levels, to tell a reference result from the current one.
inline std::unique_ptr<TResult> MakeSampleResult(double shift = 0.0) {
    auto result = MakeResult();
    TResult& r = *result;
    r.Valid = true;
    r.nFreq = SamplePoints;
    r.nAmps = 2;
    r.nChassis = 2;
    r.ChassisName[0] = "Woofer";
    r.ChassisName[1] = "Hocht\xF6ner";
    r.AmpOfChassis = {0, 1, -1, -1, -1, -1, -1, -1, -1};
    r.Comment1 = "sample";
    for (int k = 0; k < SamplePoints; ++k) {
        const double f = 20.0 * std::pow(1000.0, k / (SamplePoints - 1.0));
        const double x = std::log10(f / 20.0);
        const double phi = std::fmod(x * 2.0, 2.0 * 3.14159) - 3.14159;
        r.Freq[k] = f;
        for (int n = 0; n < Directions; ++n) {
            r.SpeakerDir[k][n] = PressureOf(85.0 + shift + 5.0 * std::sin(x) - 0.7 * n * x, phi);
        }
        for (int d = 0; d < 2; ++d) {
            const double slope = d == 0 ? -6.0 * x : 6.0 * x - 12.0;
            r.DirFront[d][k][0] = PressureOf(80.0 + shift + slope, phi + d);
            r.DirRear[d][k][0] = PressureOf(60.0 + shift + slope, phi - d);
            r.PFrontBlend[d][k] = PressureOf(82.0 + shift, phi);
            r.BaffleFront[d][k][0] = CPolar(1.0 + 0.3 * std::sin(3.0 * x), 0.2);
            r.AktFilterH[d][k] = CPolar(0.8, 0.0);
            r.ChassisZ[d][k] = {6.0 + 10.0 * x, 2.0};
            r.ChassisU[d][k] = CPolar(0.3 + 0.2 * d, phi);
            r.AmpZ[d][k] = {5.0 + 8.0 * x, -3.0};
            r.UmaxChassis[d][k] = 2.0 + 30.0 * x;
            r.PmaxChassis[d][k] = std::pow(10.0, (95.0 + 5.0 * x - 112.0) / 20.0);
        }
        r.Directivity[k] = 1.0 + x;
        r.Umax[k] = 1.0 + 50.0 * x;
        r.PmaxSpeaker[k] = std::pow(10.0, (100.0 + 5.0 * x - 112.0) / 20.0);
    }
    r.Freq[SamplePoints] = 0.0;
    return result;
}

/// A project whose chart colours are saturated and unlike any grid or text colour.
inline std::unique_ptr<TProjekt> MakeSampleProjekt() {
    auto projekt = std::make_unique<TProjekt>();
    TOptionBlock& o = projekt->Option;
    o.ColorSetChassis = {Rgb(0, 0, 200),   Rgb(200, 0, 0),   Rgb(0, 150, 0),  Rgb(200, 0, 200),
                         Rgb(0, 150, 150), Rgb(150, 150, 0), Rgb(90, 0, 160), Rgb(160, 90, 0),
                         Rgb(0, 90, 160),  Rgb(160, 0, 90)};
    o.ColorSetAmps = {Rgb(0, 0, 200),   Rgb(220, 100, 0), Rgb(0, 100, 220), Rgb(100, 220, 0),
                      Rgb(220, 0, 100), Rgb(100, 0, 220), Rgb(0, 220, 100)};
    o.ColorSetRichtungen = {Rgb(0, 0, 200),   Rgb(200, 0, 0),   Rgb(0, 150, 0),  Rgb(200, 0, 200),
                            Rgb(0, 150, 150), Rgb(150, 150, 0), Rgb(90, 0, 160), Rgb(160, 90, 0),
                            Rgb(0, 90, 160),  Rgb(160, 0, 90)};
    return projekt;
}

/// Share of pixels that differ from white.
inline double InkShare(const QImage& image) {
    qsizetype ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu) {
                ++ink;
            }
        }
    }
    return static_cast<double>(ink) / (static_cast<double>(image.width()) * image.height());
}

} // namespace tavrel::testing
