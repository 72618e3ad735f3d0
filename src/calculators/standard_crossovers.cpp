#include "calculators/standard_crossovers.h"

#include <cmath>
#include <numbers>

namespace tavrel {

namespace {

void inductance(LineList& list, const char* name, double henry) {
    list.Text(std::string(name) + " = " + MilliHenry(list, henry));
}

void capacitance(LineList& list, const char* name, double farad) {
    list.Text(std::string(name) + " = " + MicroFarad(list, farad));
}

/// "Butterworth:" or "Linkwitz-Riley:" and the two lines of a fourth-order ladder.
void fourthOrder(LineList& list, const char* title, const FourthOrderFactors& k, double z, double w,
                 const char* const (&names)[4]) {
    list.Text(title);
    list.Text(std::string(names[0]) + " = " + MilliHenry(list, k.a * z / w) + "; " + names[1] +
              " = " + MilliHenry(list, k.b * z / w));
    list.Text(std::string(names[2]) + " = " + MicroFarad(list, k.c / (z * w)) + "; " + names[3] +
              " = " + MicroFarad(list, k.d / (z * w)));
}

/// Second order: Butterworth (Q = 0.707) and Linkwitz (Q = 0.5) with the given part names.
void secondOrder(LineList& list, double z, double w, const char* l, const char* c) {
    list.Text("Butterworth (Q=0.707):");
    inductance(list, l, std::sqrt(2.0) * z / w);
    capacitance(list, c, 1 / (std::sqrt(2.0) * z * w));
    list.Text("Linkwitz (Q=0.5):");
    inductance(list, l, 2 * z / w);
    capacitance(list, c, 1 / (2 * z * w));
}

} // namespace

std::array<Lines, 8> StandardCrossovers(const CrossoverInputs& in) {
    const double fT = FieldValue(in.TF);
    const double zw = FieldValue(in.ITT);
    const double zt = FieldValue(in.IHT);
    std::array<Lines, 8> memos;
    if (fT * zw * zt <= 0) {
        return memos;
    }
    const double w = 2 * std::numbers::pi * fT;
    std::array<LineList, 8> lists;
    lists[0].Text("Butterworth:");
    inductance(lists[0], "L", zw / w);
    lists[1].Text("Butterworth:");
    capacitance(lists[1], "C", 1 / (zt * w));
    secondOrder(lists[2], zw, w, "L1", "C1");
    secondOrder(lists[3], zt, w, "L2", "C2");
    lists[4].Text("Butterworth:");
    inductance(lists[4], "L1", 1.5 * zw / w);
    inductance(lists[4], "L2", 0.5 * zw / w);
    capacitance(lists[4], "C1", (4.0 / 3.0) / (zw * w));
    lists[5].Text("Butterworth:");
    inductance(lists[5], "L3", 0.75 * zt / w);
    capacitance(lists[5], "C2", (2.0 / 3.0) / (zt * w));
    capacitance(lists[5], "C3", 2 / (zt * w));
    fourthOrder(lists[6], "Butterworth:", LowPassButterworth4, zw, w, {"L1", "L2", "C1", "C2"});
    fourthOrder(lists[6], "Linkwitz-Riley:", LowPassLinkwitzRiley4, zw, w,
                {"L1", "L2", "C1", "C2"});
    fourthOrder(lists[7], "Butterworth:", HighPassButterworth4, zt, w, {"L3", "L4", "C3", "C4"});
    fourthOrder(lists[7], "Linkwitz-Riley:", HighPassLinkwitzRiley4, zt, w,
                {"L3", "L4", "C3", "C4"});
    for (std::size_t m = 0; m < memos.size(); ++m) {
        memos[m] = std::move(lists[m]).Finish();
    }
    return memos;
}

} // namespace tavrel
