#include "calculators/port_tuning.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tavrel {

namespace {

/// Lengths in metres, volumes in cubic metres.
struct Port {
    bool round = false;
    double d = 0, c = 0, e = 0, l = 0, g = 0;
    double f = 0, k = 0, i = 0, j = 0;
    double S = 0, P = 0, Vp = 0; ///< cross-section, perimeter and volume of all ports
};

double metres(const std::string& cm) {
    return FieldValue(cm) / 100;
}

double netVolume(const PortInputs& in) {
    if (!in.RB_Vbht) {
        return FieldValue(in.Vb0) / 1000;
    }
    return metres(in.b) * metres(in.h) * metres(in.t);
}

Port portOf(const PortInputs& in) {
    Port p;
    p.round = in.RB_Rund;
    p.d = metres(in.D);
    p.c = metres(in.c);
    p.e = metres(in.e);
    p.l = metres(in.l);
    p.g = metres(in.g);
    p.f = metres(in.f);
    p.k = metres(in.k);
    p.i = metres(in.i);
    p.j = metres(in.j);
    if (p.round) {
        const int n = std::clamp(in.nRohre, 1, 4);
        p.S = n * std::numbers::pi * p.d * p.d / 4;
        p.P = n * std::numbers::pi * p.d;
    } else {
        p.S = p.c * p.e;
        p.P = 2 * (p.c + p.e);
    }
    p.Vp = p.S * p.l;
    return p;
}

/// Adds the reason of every failed plausibility test; true when all passed.
bool plausible(const Port& p, double V, LineList& list) {
    bool ok = true;
    const auto fail = [&](std::initializer_list<const char*> reasons) {
        list.Text("Tavrel cannot calculate tuning frequency, because");
        for (const char* reason : reasons) {
            list.Text(reason);
        }
        ok = false;
    };
    if (p.Vp > V) {
        fail({"port is bigger than volume including port."});
    }
    if (p.round ? p.d / 3 > p.g : p.g * p.P < p.S) {
        fail({"distance between port and rear wall is too small."});
    }
    if (p.S * p.P <= 0) {
        fail({"dimensions of port do not make sense."});
    }
    if (p.i < 0 || p.j < 0 || p.k < 0 || p.f < 0) {
        fail({"distances between port an wall (dimensions i, j, k, f) must not",
              "be smaller than 0."});
    }
    if (p.i + p.j + p.k + p.f <= 0) {
        fail({"Distances between port at least one wall ", "(i, j, k, f)  must not all be 0."});
    }
    return ok;
}

/// The outer end correction: walls closer than Δ0 to the mouth shorten the radiating perimeter.
void outerEndCorrection(const Port& p, PortFigures& fig) {
    fig.delta0 = 1.228 * p.S / p.P;
    double& peff = fig.Peff;
    peff = p.P;
    const std::array<std::pair<double, double>, 4> walls{{
        {p.f, p.round ? p.d / 2 : p.e},
        {p.k, p.round ? p.d / 2 : p.e},
        {p.i, p.round ? p.d / 2 : p.c},
        {p.j, p.round ? p.d / 2 : p.c},
    }};
    for (const auto& [distance, width] : walls) {
        if (distance < fig.delta0) {
            const double share = 1 - distance / fig.delta0;
            peff -= share * share * width;
        }
    }
    double& delta = fig.delta;
    delta = 1.228 * p.S / peff;
    if (!p.round && p.g < delta) {
        delta += 0.5 * (delta - p.g);
    }
}

/// Helmholtz frequency, for round ports blended towards the rear-wall limit when g < d.
void helmholtz(const Port& p, PortFigures& fig) {
    outerEndCorrection(p, fig);
    const double f1 = std::sqrt(PortK * p.S / ((1.7 * p.S / p.P + p.l + fig.delta) * fig.Va));
    fig.f1 = f1;
    fig.fPrime = f1;
    if (p.round && p.g < p.d) {
        const double f2 = std::sqrt(PortK * p.P / (3.4 * fig.Va));
        const double fc = 1 / std::sqrt(1 / (f1 * f1) + 1 / (f2 * f2));
        fig.fPrime = (p.g / p.d) * f1 + (1 - p.g / p.d) * fc;
    }
}

double meanWallDistance(const Port& p) {
    double squares = p.i * p.i + p.j * p.j + p.k * p.k + p.f * p.f;
    double sum = p.i + p.j + p.k + p.f;
    if (p.round) {
        return squares / sum;
    }
    squares += p.g * p.g;
    sum += p.g;
    return sum > 0 ? squares / sum : p.l + p.g;
}

} // namespace

PortResult PortTuningResult(const PortInputs& in) {
    PortResult result;
    PortFigures& fig = result.figures;
    LineList list;
    fig.V = netVolume(in);
    if (!(fig.V > 0)) {
        return result;
    }
    const Port p = portOf(in);
    fig.S = p.S;
    fig.Vgeo = fig.V - 0.3633802276324187 * p.Vp;
    const double x = std::clamp(in.TrackBarc, 0, 4);
    fig.Va = (1 + 0.0375 * x + 0.00625 * x * x) * fig.Vgeo;
    list.Number("Net volume including port: ", fig.V * 1000, 6, " liter");
    list.Number("Calculated geometric volume: ", fig.Vgeo * 1000, 6,
                " liter (minus relevant part of port volume)");
    list.Number("Calculated acoustic volume: ", fig.Va * 1000, 6, " liter");
    if (plausible(p, fig.V, list)) {
        helmholtz(p, fig);
        fig.m = meanWallDistance(p);
        fig.fb = 1 / (1 / fig.fPrime + 1.5 * fig.m / 344);
        list.Number("fb = ", fig.fb, 5, " Hz");
        result.tuned = true;
    }
    result.lines = std::move(list).Finish();
    return result;
}

Lines PortTuning(const PortInputs& in) {
    return PortTuningResult(in).lines;
}

} // namespace tavrel
