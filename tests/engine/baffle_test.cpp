#include "engine/baffle.h"
#include "engine/baffle_geometry.h"
#include "engine/baffle_sincos.h"
#include "engine/baffle_test_enclosure.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <numbers>
#include <vector>

namespace tavrel {
namespace {

constexpr double Pi = std::numbers::pi;
constexpr TComplex Tiny{1e-100, 0.0};

// ---------------------------------------------------------------------------------------------
// A direct evaluation of the model, loop by loop, without any of CalcBaffle's precomputation.
// Only for baffles facing the front with a valid driver position.

struct RefPoint {
    double x, y, z, r, w;
};

std::vector<RefPoint> RefEdgeRings(const TSchallwand& s) {
    std::vector<RefPoint> points;
    const double n = 960, step = 4 * Pi / n;
    for (int ring = 0; ring < 2; ++ring) {
        const bool inner = ring == 1;
        const double top = s.h - s.a - (inner ? s.g : 0), left = s.c - (inner ? s.e : 0);
        const double bottom = s.a - (inner ? s.i : 0), right = s.b - s.c - (inner ? s.f : 0);
        const double w = (inner ? 1.33 : 0.67) / n;
        double phi = 0;
        const auto add = [&](double x, double y, double z, bool flag) {
            points.push_back({x, y, z, std::sqrt(x * x + y * y), flag ? w : 0.0});
            phi += step;
        };
        while (std::tan(phi) < left / top && phi < 1.57) {
            add(-top * std::tan(phi), top, inner ? 0 : -s.g, s.beugo);
        }
        while (std::tan(phi - 1.5707963) < bottom / left && phi < 3.14) {
            add(-left, -left * std::tan(phi - 1.5707963), inner ? 0 : -s.e, s.beugl);
        }
        while (std::tan(phi - 3.1415926) < right / bottom && phi < 4.71) {
            add(bottom * std::tan(phi - 3.1415926), -bottom, inner ? 0 : -s.i, s.beugu);
        }
        while (std::tan(phi - 4.7123889) < top / right && phi < 6.28) {
            add(right, right * std::tan(phi - 4.7123889), inner ? 0 : -s.f, s.beugr);
        }
        while (phi < 6.2831852) {
            add(-top * std::tan(phi), top, inner ? 0 : -s.g, s.beugo);
        }
    }
    return points;
}

/// Windows up, left, down, right.
std::array<std::vector<double>, 4> RefWindows(int p) {
    const int n = 960, L = n * p / 100;
    std::vector<double> w1(n, 0.0);
    for (int k = 0; k < L && k <= n / 4; ++k) {
        w1[k] = 1.0 - double(k) / L;
        if (k > 0) {
            w1[n / 2 - k] = w1[k];
        }
    }
    for (int k = 0; k < n / 2; ++k) {
        w1[n / 2 + k] = w1[k];
    }
    double sum = 0;
    for (double v : w1) {
        sum += v;
    }
    for (double& v : w1) {
        v = v * n / sum;
    }
    const auto shifted = [&](int shift) {
        std::vector<double> w(n);
        for (int k = 0; k < n / 2; ++k) {
            w[k] = w[n / 2 + k] = w1[(k + shift) % (n / 2)];
        }
        return w;
    };
    return {w1, shifted(3 * n / 8), shifted(2 * n / 8), shifted(n / 8)};
}

double RefDirectivity(double D, int form, int m, double k0) {
    double G1 = 0.2, G2 = 0.8, G3 = 1.0, S = 1.0;
    if (form == 0 || form == 1) {
        G1 = 1e-4, G2 = 1.0, G3 = 1.0, S = form == 0 ? 1.2 : 1.0;
    }
    const double Rp = 1e-100 + (D / 2) * S, theta = m * 0.5235987755982989;
    const int N = 100;
    double sum = 0;
    for (int u = 1; u <= 2 * N - 1; ++u) {
        const double s = -Rp + u * Rp / N;
        const double q =
            (u % 2 ? 2.6666666666666665 : 1.3333333333333333) * (Rp / N) / (Pi * Rp * Rp);
        sum += (1 - G1) * q * std::sqrt(Rp * Rp - s * s) * std::cos(k0 * s * std::sin(theta));
    }
    for (double G : {G2, G3}) {
        for (int u = 1; u <= 2 * N; ++u) {
            double s0 = -Rp + (u - 1) * Rp / N, s1 = -Rp + u * Rp / N;
            double t0 = std::sqrt(std::max(0.0, Rp * Rp - s0 * s0) + 1e-50);
            double t1 = std::sqrt(std::max(0.0, Rp * Rp - s1 * s1) + 1e-50);
            s0 *= G, s1 *= G, t0 *= G, t1 *= G;
            const double l = std::sqrt((s1 - s0) * (s1 - s0) + (t1 - t0) * (t1 - t0));
            sum += (G1 / 2) * (0.31830989161357204 / (Rp * G)) * l *
                   std::cos(k0 * ((s0 + s1) / 2) * std::sin(theta));
        }
    }
    return sum;
}

std::array<TComplex, 30> RefResponse(const TSchallwand& s, double f) {
    const double lambda = 344 / f, k0 = 2 * Pi / lambda, D = 1e-10 + s.d;
    const double d90 = RefDirectivity(D, s.Membranform, 3, k0);
    const auto points = RefEdgeRings(s);
    const auto edgeSum = [&](const std::vector<double>* window, auto path) {
        TComplex sum{0, 0};
        for (size_t j = 0; j < points.size(); ++j) {
            const double sj = 0.5 * points[j].w * d90;
            const double wj = window ? (*window)[j] : 1.0;
            sum = CAdd(sum, CRotate({sj * wj, 0}, k0 * path(points[j])));
        }
        return sum;
    };
    std::array<TComplex, 30> R{};
    R[0] = CSub(CRotate({1, 0}, k0 * 0.12 * D),
                edgeSum(nullptr, [](const RefPoint& p) { return p.r - 1.41 * p.z; }));
    const int percent[5] = {23, 20, 10, 23, 16};
    const double zFactor[5] = {1.28, 0.91, 0.41, 0, 0}, proj[5] = {0.5, 0.866, 0.999, 0.866, 0.5};
    for (int g = 0; g < 5; ++g) {
        const auto windows = RefWindows(percent[g]);
        for (int q = 0; q < 4; ++q) {
            const auto path = [&](const RefPoint& p) {
                const double terms[4] = {-proj[g] * p.y, proj[g] * p.x, proj[g] * p.y,
                                         -proj[g] * p.x};
                return p.r - zFactor[g] * p.z + terms[q];
            };
            const TComplex sum = edgeSum(&windows[q], path);
            const int k = 1 + 4 * g + q;
            if (g < 3) {
                const double direct = RefDirectivity(D, s.Membranform, g + 1, k0);
                R[k] = CSub(CRotate({direct, 0}, k0 * 0.12 * D * std::cos((g + 1) * Pi / 6)), sum);
            } else {
                R[k] = CAdd(Tiny, sum);
            }
        }
    }
    R[21] = Tiny;
    for (double m : {1.0, 1.1, 1.25}) {
        const TComplex sum = edgeSum(nullptr, [&](const RefPoint& p) { return m * (p.r - p.z); });
        R[21] = CAdd(R[21], CScale(sum, 0.33));
    }
    for (int k = 22; k < 30; ++k) {
        R[k] = {0.5 * d90, 0};
    }
    return R;
}

// ---------------------------------------------------------------------------------------------

std::unique_ptr<Grid> MakeGrid(int points, double fMin = 20, double fMax = 20000) {
    auto project = std::make_unique<TProjekt>();
    project->Option.sz = points;
    project->Option.fMin = fMin;
    project->Option.fMax = fMax;
    BuildGrid(*project);
    return std::make_unique<Grid>(project->f);
}

TSchallwand Baffle(double width, double height, double centreX, double centreY, double d) {
    TSchallwand s;
    s.b = width, s.h = height, s.c = centreX, s.a = centreY, s.d = d;
    return s;
}

struct Calculation {
    std::unique_ptr<Directional> R = std::make_unique<Directional>();
    std::string message;
};

Calculation Calc(const TSchallwand& s, const Grid& grid) {
    Calculation c;
    c.R->fill({});
    for (auto& row : *c.R) {
        row.fill({7.0, 7.0}); // anything CalcBaffle forgets to write shows up
    }
    CalcBaffle(*c.R, s, grid, 0.0, c.message);
    return c;
}

double RelativeDifference(TComplex a, TComplex b) {
    return CAbs(CSub(a, b)) / CAbs(b);
}

void ExpectAllTiny(const Directional& R) {
    for (const auto& row : R) {
        for (const TComplex& v : row) {
            ASSERT_EQ(v, Tiny);
        }
    }
}

TEST(BaffleReference, OptimisedSumsAgreeWithDirectEvaluation) {
    TSchallwand centred = Baffle(0.3, 0.3, 0.15, 0.15, 0.1);
    TSchallwand chamfered = Baffle(0.24, 0.45, 0.09, 0.33, 0.13);
    chamfered.e = 0.02, chamfered.f = 0.01, chamfered.g = 0.03, chamfered.i = 0.015;
    chamfered.beugr = chamfered.beugu = false;
    chamfered.Membranform = 1;
    TSchallwand din;
    din.d = 0.2;
    din.Membranform = 2;
    SetMeasurementBaffle(din, 2);
    TSchallwand tower = Baffle(0.2, 1.0, 0.07, 0.8, 0.025);
    tower.g = 0.01;

    const auto grid = MakeGrid(599);
    for (const TSchallwand& s : {centred, chamfered, din, tower}) {
        const Calculation c = Calc(s, *grid);
        ASSERT_EQ(c.message, "Ok");
        for (int i : {0, 97, 250, 420, 598}) {
            const auto ref = RefResponse(s, (*grid)[i]);
            for (int k = 0; k < 30; ++k) {
                EXPECT_LT(RelativeDifference((*c.R)[i][k], ref[k]), 1e-9)
                    << "f=" << (*grid)[i] << " k=" << k << " b=" << s.b;
            }
        }
    }
}

TEST(BaffleSinCos, MatchesTheLibraryOverTheUsedRange) {
    double worst = 0;
    for (double x = -3000; x < 3000; x += 0.0137) {
        const auto sc = baffle_math::SinCos(x);
        worst = std::max({worst, std::abs(sc.sin - std::sin(x)), std::abs(sc.cos - std::cos(x))});
    }
    EXPECT_LT(worst, 1e-13);
    EXPECT_EQ(baffle_math::SinCos(0.0).cos, 1.0);
    EXPECT_EQ(baffle_math::SinCos(0.0).sin, 0.0);
}

TEST(BaffleEdgeCases, WithoutDiffractingEdgesOnlyThePistonRemains) {
    TSchallwand s = Baffle(0.3, 0.3, 0.15, 0.15, 0.17);
    s.beugl = s.beugr = s.beugo = s.beugu = false;
    const auto grid = MakeGrid(60);
    const Calculation c = Calc(s, *grid);
    ASSERT_EQ(c.message, "Ok");
    const double D = 1e-10 + s.d;
    for (int i : {0, 30, 59}) {
        const double k0 = 2 * Pi / (344 / (*grid)[i]);
        const auto& r = (*c.R)[i];
        EXPECT_NEAR(CAbs(CSub(r[0], CRotate({1, 0}, k0 * 0.12 * D))), 0, 1e-14);
        for (int k = 1; k <= 12; ++k) {
            const int m = (k + 3) / 4;
            const TComplex piston =
                CRotate({RefDirectivity(D, 0, m, k0), 0}, k0 * 0.12 * D * std::cos(m * Pi / 6));
            EXPECT_NEAR(CAbs(CSub(r[k], piston)), 0, 1e-12) << k;
        }
        for (int k = 13; k <= 21; ++k) {
            EXPECT_EQ(r[k], Tiny);
        }
        for (int k = 22; k < 30; ++k) {
            EXPECT_NEAR(r[k].Re, 0.5 * RefDirectivity(D, 0, 3, k0), 1e-12);
            EXPECT_EQ(r[k].Im, 0.0);
        }
    }
    // A large dome beams: well below its on-axis level at 90° at 20 kHz.
    EXPECT_LT(CAbs((*c.R)[59][9]), 0.2);
}

double LargestGroupSpread(const Directional& R, int points) {
    double spread = 0;
    for (int i = 0; i < points; ++i) {
        for (int first : {1, 5, 9, 13, 17}) {
            for (int k = first + 1; k < first + 4; ++k) {
                spread = std::max(spread, CAbs(CSub(R[i][k], R[i][first])));
            }
        }
    }
    return spread;
}

TEST(BaffleEdgeCases, CentredDriverOnSquareBaffleIsEqualInEveryGroup) {
    const auto grid = MakeGrid(40);
    const Calculation centred = Calc(Baffle(0.4, 0.4, 0.2, 0.2, 0.12), *grid);
    ASSERT_EQ(centred.message, "Ok");
    // Equal up to the rounded quadrant angles (1.5707963 and so on) of the edge walk.
    EXPECT_LT(LargestGroupSpread(*centred.R, 40), 1e-5);
    const Calculation offCentre = Calc(Baffle(0.4, 0.4, 0.15, 0.2, 0.12), *grid);
    EXPECT_GT(LargestGroupSpread(*offCentre.R, 40), 0.01);
}

TEST(BaffleEdgeCases, ZeroDiameterIsAPointSourceWithoutDelay) {
    TSchallwand s = Baffle(0.3, 0.3, 0.15, 0.15, 0.0);
    s.beugl = s.beugr = s.beugo = s.beugu = false;
    const auto grid = MakeGrid(30);
    const Calculation c = Calc(s, *grid);
    ASSERT_EQ(c.message, "Ok");
    for (int i = 0; i < 30; ++i) {
        for (int k = 0; k <= 12; ++k) {
            EXPECT_NEAR((*c.R)[i][k].Re, 1.0, 2e-3) << k;
            EXPECT_NEAR((*c.R)[i][k].Im, 0.0, 1e-8); // 0.12·1e-10 m of delay
            EXPECT_NEAR((*c.R)[i][k].Re, (*c.R)[0][k].Re, 1e-12);
        }
    }
}

TEST(BaffleEdgeCases, ZeroChamfersLetBothRingsCoincide) {
    TSchallwand s = Baffle(0.3, 0.5, 0.1, 0.35, 0.1);
    s.beugr = false;
    auto rings = std::make_unique<EdgeRings>();
    BuildEdgeRings(*rings, {s.a, s.b, s.c, s.h}, s);
    ASSERT_EQ(rings->count, 960);
    for (int j = 0; j < 480; ++j) {
        const TEdgePoint& outer = rings->points[j];
        const TEdgePoint& inner = rings->points[j + 480];
        EXPECT_EQ(outer.x, inner.x);
        EXPECT_EQ(outer.y, inner.y);
        EXPECT_EQ(std::string(outer.label), std::string(inner.label) + inner.label);
        const bool right = std::string(inner.label) == "r";
        EXPECT_NEAR(outer.w + inner.w, right ? 0.0 : 2.0 / 960, 1e-15);
    }
    // 0.75° steps from straight up towards the left; the top-left corner is at atan(0.1/0.15).
    EXPECT_EQ(std::string(rings->points[44].label), "oo");
    EXPECT_EQ(std::string(rings->points[45].label), "ll");
    EXPECT_DOUBLE_EQ(rings->points[45].x, -0.1);
}

TEST(BaffleInput, FaultsAreReportedInOrderAndLeaveNoOutput) {
    const auto grid = MakeGrid(20);
    TSchallwand s = Baffle(0.3, 0.3, 0.15, 0.05, 0.1); // a < d/2
    Calculation c = Calc(s, *grid);
    EXPECT_EQ(c.message, "Position of driver on baffle not possible. ");
    ExpectAllTiny(*c.R);

    s.a = 0.06;
    s.i = 0.02; // a < d/2 + bottom chamfer
    EXPECT_EQ(Calc(s, *grid).message, "Position of driver on baffle not possible. ");
    s.i = 0.0;
    EXPECT_EQ(Calc(s, *grid).message, "Ok");

    s.d = -0.01;
    s.e = -0.01;
    s.h = 0;
    c = Calc(s, *grid);
    EXPECT_EQ(c.message, "Dimension d on baffle has to be >=0.. Dimensions e, f, g and i on "
                         "baffle have to be >=0.. Dimensions a, b, c and h on baffle have to be "
                         ">0.. Position of driver on baffle not possible. ");
    ExpectAllTiny(*c.R);

    // Without diffracting edges the position does not matter, the other checks do.
    s = Baffle(0, 0, 0, 0, 0.1);
    s.beugl = s.beugr = s.beugo = s.beugu = false;
    EXPECT_EQ(Calc(s, *grid).message, "Ok");
    s.g = -1;
    EXPECT_EQ(Calc(s, *grid).message, "Dimensions e, f, g and i on baffle have to be >=0.. ");
}

TEST(BaffleInput, NonFiniteResultsAreAnUnknownError) {
    const auto grid = MakeGrid(20);
    TSchallwand s = Baffle(0.3, 0.3, 0.15, 0.15, 0.1);
    s.a = std::nan("");
    Calculation c = Calc(s, *grid);
    EXPECT_EQ(c.message, "Unknown error.");
    ExpectAllTiny(*c.R);

    s.a = 0.15;
    Grid infinite = *grid;
    infinite[5] = INFINITY;
    c = Calc(s, infinite);
    EXPECT_EQ(c.message, "Unknown error.");
    ExpectAllTiny(*c.R);
}

TEST(BaffleOutput, RowsBeyondTheGridStayTiny) {
    const auto grid = MakeGrid(10);
    const Calculation c = Calc(Baffle(0.3, 0.3, 0.1, 0.2, 0.1), *grid);
    ASSERT_EQ(c.message, "Ok");
    EXPECT_NE((*c.R)[9][0], Tiny);
    for (int i = 10; i < GridSize; ++i) {
        for (const TComplex& v : (*c.R)[i]) {
            ASSERT_EQ(v, Tiny) << i;
        }
    }
}

TEST(BaffleDirections, TurnsAreTheRepeatedQuarterTurns) {
    const auto grid = MakeGrid(25);
    TSchallwand s = Baffle(0.25, 0.4, 0.08, 0.3, 0.1); // asymmetric, so every turn shows
    s.g = 0.02;
    const Calculation front = Calc(s, *grid);
    const auto turned = [&](void (*turn)(Directional&, const Grid&), int times) {
        auto R = std::make_unique<Directional>(*front.R);
        for (int t = 0; t < times; ++t) {
            turn(*R, *grid);
        }
        return R;
    };
    const struct {
        int direction;
        void (*turn)(Directional&, const Grid&);
        int times;
    } cases[] = {
        {2, TurnLeft, 1}, {1, TurnLeft, 2}, {3, TurnLeft, 3}, {4, TurnUp, 1}, {5, TurnUp, 3}};
    for (const auto& tc : cases) {
        s.direction = static_cast<std::int8_t>(tc.direction);
        const Calculation c = Calc(s, *grid);
        ASSERT_EQ(c.message, "Ok");
        EXPECT_EQ(*c.R, *turned(tc.turn, tc.times)) << tc.direction;
        EXPECT_NE(*c.R, *front.R);
    }
    // Four quarter turns and two mirrors are the identity: the tables are permutations.
    EXPECT_EQ(*turned(TurnLeft, 4), *front.R);
    EXPECT_EQ(*turned(TurnUp, 4), *front.R);
    EXPECT_EQ(*turned(MirrorFrontBack, 2), *front.R);
    // Turned to the left, the driver's axis is heard at 90° to the left (index 10).
    EXPECT_EQ((*turned(TurnLeft, 1))[3][10], (*front.R)[3][0]);
}

TEST(BaffleJob, StoresFrontAndRearFactors) {
    auto project = std::make_unique<TProjekt>();
    project->Option.sz = 30;
    BuildGrid(*project);
    auto result = MakeResult();
    project->Schallwand[2] = Baffle(0.3, 0.3, 0.15, 0.15, 0.1);
    EXPECT_EQ(RunBaffleJob(*project, 2, *result), "Ok");
    EXPECT_EQ(result->BaffleRear[2], result->BaffleFront[2]);

    project->Schallwand[2].directionr = 1;
    EXPECT_EQ(RunBaffleJob(*project, 2, *result), "Ok");
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(result->BaffleRear[2][i][0], result->BaffleFront[2][i][21]);
        EXPECT_EQ(result->BaffleRear[2][i][21], result->BaffleFront[2][i][0]);
    }

    project->Schallwand[2].a = 0.01;
    EXPECT_EQ(RunBaffleJob(*project, 2, *result),
              "Error: driver 3: Position of driver on baffle not possible. ");
    EXPECT_EQ(result->BaffleFront[2][0][0], Tiny);
    EXPECT_EQ(result->BaffleRear[2][0][21], Tiny);
    EXPECT_EQ(RunBaffleJob(*project, 9, *result), "Error: driver 10: no such driver slot.");
}

TEST(BaffleMeasurement, ConditionsSetTheirBaffles) {
    TSchallwand s = Baffle(0.3, 0.4, 0.1, 0.2, 0.13);
    s.Membranform = 1;
    s.beugl = false;
    TSchallwand unchanged = s;
    SetMeasurementBaffle(unchanged, 5);
    EXPECT_EQ(unchanged, s);

    TSchallwand infinite = s;
    SetMeasurementBaffle(infinite, 1);
    EXPECT_FALSE(infinite.beugl || infinite.beugr || infinite.beugo || infinite.beugu);
    EXPECT_EQ(infinite.direction, 0);

    TSchallwand din = s;
    SetMeasurementBaffle(din, 2);
    EXPECT_TRUE(din.beugl && din.beugr && din.beugo && din.beugu);
    EXPECT_EQ(din.e, 0.01);
    EXPECT_EQ(din.i, 0.01);
    EXPECT_EQ(din.a, 0.766);
    EXPECT_EQ(din.b, 1.775);
    EXPECT_EQ(din.c, 0.654);
    EXPECT_EQ(din.h, 2.266);

    TSchallwand small = s, large = s;
    SetMeasurementBaffle(small, 3);
    SetMeasurementBaffle(large, 4);
    EXPECT_EQ(small.direction, -2);
    EXPECT_EQ(large.direction, -3);

    TSchallwand old6 = s, old7 = s;
    SetMeasurementBaffle(old6, 6);
    SetMeasurementBaffle(old7, 7);
    EXPECT_DOUBLE_EQ(old6.a, 0.67165 + 0.28);
    EXPECT_DOUBLE_EQ(old6.h, 0.5 + 0.67165 + 0.166);
    EXPECT_EQ(old6.b, 0.255);
    EXPECT_EQ(old6.c, 0.1275);
    EXPECT_EQ(old7.g, 0.166145);
    EXPECT_EQ(old7.b, 0.52);
    EXPECT_EQ(old7.c, 0.26);
    for (const TSchallwand& m : {din, small, old6, old7}) {
        EXPECT_EQ(m.d, 0.13);
        EXPECT_EQ(m.Membranform, 1);
    }
    const auto grid = MakeGrid(50);
    EXPECT_EQ(Calc(old6, *grid).message, "Ok");
    EXPECT_EQ(Calc(old7, *grid).message, "Ok");
    EXPECT_EQ(Calc(din, *grid).message, "Ok");
}

TComplex RefTestEnclosure(TestEnclosureSide side, double d, int form, double f) {
    const double lambda = 344 / f, k0 = 2 * Pi / lambda, D = 1e-10 + d, Q = 5 * lambda * lambda;
    const double d90 = RefDirectivity(D, form, 3, k0);
    TComplex R = CRotate({1, 0}, k0 * 0.12 * D);
    for (const auto& row : TestEnclosureReflections(side)) {
        for (int n = -5; n <= 5; ++n) {
            const double t = d90 * (0.5 / 11) * row.amplitude * Q / (row.length + Q);
            const double phi = k0 * row.length * (1 + n * std::pow(std::abs(n), 0.25) * row.spread);
            R = CSub(R, CRotate({t, 0}, phi));
        }
    }
    return R;
}

TEST(BaffleMeasurement, TestEnclosureGivesOnlyTheOnAxisResponse) {
    const auto grid = MakeGrid(80);
    for (int condition : {3, 4}) {
        TSchallwand s = Baffle(0, 0, 0, 0, 0.1);
        SetMeasurementBaffle(s, condition);
        const Calculation c = Calc(s, *grid);
        ASSERT_EQ(c.message, "Ok");
        const auto side = condition == 3 ? TestEnclosureSide::Small : TestEnclosureSide::Large;
        for (int i = 0; i < 80; ++i) {
            EXPECT_LT(RelativeDifference((*c.R)[i][0], RefTestEnclosure(side, 0.1, 0, (*grid)[i])),
                      1e-9);
            for (int k = 1; k < 30; ++k) {
                ASSERT_EQ((*c.R)[i][k], Tiny);
            }
        }
        // Far below the audio band every path is short against λ: 1 − ½·ΣB, the baffle step.
        double sumB = 0;
        for (const auto& row : TestEnclosureReflections(side)) {
            sumB += row.amplitude;
        }
        Grid subsonic{};
        subsonic[0] = 0.05;
        const Calculation low = Calc(s, subsonic);
        EXPECT_NEAR((*low.R)[0][0].Re, 1 - 0.5 * sumB, 0.005);
        EXPECT_NEAR((*low.R)[0][0].Re, 0.5, 0.05);
    }
    const auto& small = TestEnclosureReflections(TestEnclosureSide::Small);
    const auto& large = TestEnclosureReflections(TestEnclosureSide::Large);
    EXPECT_EQ(small[0].length, 10.33222);
    EXPECT_EQ(small[46].amplitude, -3.15292);
    EXPECT_EQ(large[41].amplitude, 3.7969);
    EXPECT_EQ(large[49].spread, 0.01);
}

double MeanMagnitude(const Directional& R, const Grid& grid, double fLow, double fHigh) {
    double sum = 0;
    int count = 0;
    for (int i = 0; grid[i] > 0; ++i) {
        if (grid[i] >= fLow && grid[i] <= fHigh) {
            sum += CAbs(R[i][0]);
            ++count;
        }
    }
    return sum / count;
}

TEST(BafflePhysics, FiniteBaffleShowsTheBaffleStep) {
    const auto grid = MakeGrid(400);
    const Calculation c = Calc(Baffle(0.25, 0.25, 0.125, 0.125, 0.01), *grid);
    ASSERT_EQ(c.message, "Ok");
    const double low = MeanMagnitude(*c.R, *grid, 20, 80);
    const double high = MeanMagnitude(*c.R, *grid, 3000, 12000);
    EXPECT_NEAR(low / high, 0.5, 0.05);
    EXPECT_NEAR(high, 1.0, 0.1);
    // The step lies around 115/W Hz: well on its way up at 460 Hz for W = 0.25 m.
    const double mid = MeanMagnitude(*c.R, *grid, 400, 520);
    EXPECT_GT(mid, 0.6);
    EXPECT_LT(mid, 0.95);
}

} // namespace
} // namespace tavrel
