#include "engine/calc_engine.h"

#include "engine/active_filter.h"
#include "engine/baffle.h"
#include "engine/driver_model.h"
#include "engine/speaker.h"
#include "foundation/number_text.h"

#include <cstring>
#include <exception>

namespace tavrel {

namespace {

constexpr const char* Pending = "F";

int clampCount(int count, int maximum) {
    return count < 1 ? 1 : (count > maximum ? maximum : count);
}

int ampCount(const TProjekt& p) {
    return clampCount(p.nAmps, MaxAmps);
}
int chassisCount(const TProjekt& p) {
    return clampCount(p.nChassis, MaxChassis);
}

/// Runs one job; a failure that escapes it becomes its error text instead of ending the pass.
template <typename Job>
std::string guarded(Job&& job, const std::string& failureText) {
    try {
        return job();
    } catch (const std::exception& e) {
        return failureText + " " + e.what();
    } catch (...) {
        return failureText;
    }
}

int firstAmpDriving(const TProjekt& p, int d) {
    for (int a = 0; a < ampCount(p); ++a) {
        for (const TWeichePart& part : p.Amps[a].Weiche) {
            if (part.typ == PartDriver && part.chassisnr == d) {
                return a;
            }
        }
    }
    return -1;
}

} // namespace

TCalcEngine::TCalcEngine()
    : m_working(std::make_unique<TProjekt>()), m_result(MakeResult()),
      m_scratch(MakeNetworkScratch()) {}

TCalcEngine::~TCalcEngine() = default;

void TCalcEngine::MarkAll() {
    m_status = TCalcStruct{};
    ClearResult(*m_result);
}

void TCalcEngine::Accept(const TProjekt& incoming) {
    detectChanges(incoming);
    *m_working = incoming;
    countPendingJobs();
}

void TCalcEngine::detectChanges(const TProjekt& in) {
    const TProjekt& old = *m_working;
    for (int d = 0; d < chassisCount(in); ++d) {
        const TChassis& driver = in.Chassis[d];
        if (!(in.Schallwand[d] == old.Schallwand[d]) || driver.seo != old.Chassis[d].seo) {
            m_status.Baffle[d] = Pending;
            m_status.Speaker = Pending;
            if (driver.fgang_which == 5 && driver.useFgangA) {
                m_status.Chassis[d] = Pending;
            }
        }
        if (!(in.Einbau[d] == old.Einbau[d]) || !(driver == old.Chassis[d]) ||
            in.Schallwand[d].d != old.Schallwand[d].d) {
            m_status.Chassis[d] = Pending;
            const int a = firstAmpDriving(in, d);
            if (a >= 0) {
                m_status.Weiche[a] = Pending;
            }
            m_status.Speaker = Pending;
        }
    }
    for (int a = 0; a < ampCount(in); ++a) {
        if (!(in.Amps[a].Weiche == old.Amps[a].Weiche)) {
            m_status.Weiche[a] = Pending;
            m_status.Check = Pending;
            m_status.Speaker = Pending;
        }
        if (!(in.Amps[a].AktFilter == old.Amps[a].AktFilter)) {
            m_status.AktFilter[a] = Pending;
            m_status.Speaker = Pending;
        }
    }
}

void TCalcEngine::countPendingJobs() {
    const TProjekt& p = *m_working;
    m_jobsDone = 0;
    m_jobCount = 0;
    auto count = [this](const std::string& s) { m_jobCount += s == Pending ? 1 : 0; };
    count(m_status.Check);
    count(m_status.Speaker);
    for (int a = 0; a < ampCount(p); ++a) {
        count(m_status.AktFilter[a]);
        count(m_status.Weiche[a]);
    }
    for (int d = 0; d < chassisCount(p); ++d) {
        count(m_status.Baffle[d]);
        count(m_status.Chassis[d]);
    }
}

bool TCalcEngine::RunNextJob() {
    const TProjekt& p = *m_working;
    TResult& r = *m_result;
    auto run = [this](std::string& status, auto&& job, const std::string& failure) {
        status = guarded(job, failure);
        ++m_jobsDone;
        return true;
    };
    if (m_status.Check == Pending) {
        return run(
            m_status.Check, [&] { return RunCheckJob(p, r); }, "Fehler in Chassiskontrolle");
    }
    for (int d = 0; d < chassisCount(p); ++d) {
        if (m_status.Baffle[d] == Pending) {
            return run(
                m_status.Baffle[d], [&] { return RunBaffleJob(p, d, r); },
                "Error: driver " + std::to_string(d + 1) + ": Unknown error.");
        }
    }
    for (int a = 0; a < ampCount(p); ++a) {
        if (m_status.AktFilter[a] == Pending) {
            return run(
                m_status.AktFilter[a], [&] { return RunAktFilterJob(p, a, r); },
                "Error: Active filter at amp " + std::to_string(a + 1) + ":");
        }
    }
    for (int d = 0; d < chassisCount(p); ++d) {
        if (m_status.Chassis[d] == Pending) {
            return run(
                m_status.Chassis[d], [&] { return RunDriverJob(p, d, r); },
                "Error: driver " + std::to_string(d + 1) + ": Cannot calculate driver.");
        }
    }
    for (int a = 0; a < ampCount(p); ++a) {
        if (m_status.Weiche[a] == Pending) {
            return run(
                m_status.Weiche[a], [&] { return RunNetworkJob(p, a, r, *m_scratch); },
                NetworkErrorText(a));
        }
    }
    if (m_status.Speaker == Pending) {
        return run(
            m_status.Speaker, [&] { return RunSpeakerJob(p, r); },
            "Error: speaker cannot be calculated.");
    }
    return false;
}

void TCalcEngine::FinishPass() {
    const TProjekt& p = *m_working;
    TResult& r = *m_result;
    r.Valid = false;
    int i = 0;
    while (i < GridSize - 1 && p.f[i] > 0) {
        r.Freq[i] = p.f[i];
        ++i;
    }
    r.Freq[i] = 0.0;
    r.nFreq = i;
    r.nAmps = ampCount(p);
    r.nChassis = chassisCount(p);
    for (int d = 0; d < ChassisSlots; ++d) {
        r.ChassisName[d] = p.Chassis[d].Name.view();
        r.EinbauTyp[d] = p.Einbau[d].Typ;
    }
    const std::string today = DateToText(Today());
    r.Comment1 = ExpandDate(p.Comment1.view(), today);
    r.Comment2 = ExpandDate(p.Comment2.view(), today);
    Judge(p, r, m_judgement);
}

void TCalcEngine::CalculateAll(const TProjekt& project, bool full) {
    if (full) {
        MarkAll();
        *m_working = TProjekt{};
    }
    Accept(project);
    while (RunNextJob()) {
    }
    FinishPass();
}

std::string RunCheckJob(const TProjekt& p, TResult& r) {
    std::array<int, ChassisSlots> first{}, second{};
    first.fill(-1);
    second.fill(-1);
    r.AmpOfChassis.fill(-1);
    bool failed = false;
    const int nChassis = chassisCount(p);
    for (int a = 0; a < ampCount(p); ++a) {
        for (const TWeichePart& part : p.Amps[a].Weiche) {
            if (part.typ != PartDriver) {
                continue;
            }
            const int d = part.chassisnr;
            if (d < 0 || d >= ChassisSlots) {
                failed = true; // a driver number no slot has: reported by the generic line
                continue;
            }
            if (first[d] >= 0) {
                second[d] = a;
                failed = true;
            } else {
                first[d] = a;
                r.AmpOfChassis[d] = a;
            }
            if (d > nChassis - 1) {
                failed = true;
            }
        }
    }
    if (!failed) {
        return "Ok";
    }
    std::string text;
    for (int d = 0; d < ChassisSlots; ++d) {
        if (second[d] >= 0) {
            text += "Error: driver " + std::to_string(d + 1) + " used double in network " +
                    std::to_string(first[d] + 1) + " and " + std::to_string(second[d] + 1) +
                    ".\r\n";
        }
    }
    for (int d = nChassis; d < ChassisSlots; ++d) {
        if (first[d] >= 0) {
            text += "Error: driver " + std::to_string(d + 1) + " not usable, if only " +
                    std::to_string(nChassis) + " drivers selected.\r\n";
        }
    }
    if (text.size() < 10) {
        text += "Fehler in Chassiskontrolle\r\n";
    }
    text.resize(text.size() - 2);
    return text;
}

std::vector<std::string> CollectErrors(const TCalcStruct& s, int nAmps, int nChassis) {
    std::vector<std::string> errors;
    auto add = [&errors](const std::string& text) {
        if (text != "Ok") {
            errors.push_back(text);
        }
    };
    add(s.Check);
    for (int a = 0; a < clampCount(nAmps, MaxAmps); ++a) {
        add(s.AktFilter[a]);
        add(s.Weiche[a]);
    }
    for (int d = 0; d < clampCount(nChassis, MaxChassis); ++d) {
        add(s.Baffle[d]);
        add(s.Chassis[d]);
    }
    add(s.Speaker);
    return errors;
}

std::string ProgressText(int jobsDone, int jobCount) {
    return "Calculation running: " +
           FloatToWidth(4, static_cast<double>(jobsDone) * 100.0 / jobCount) + "%";
}

std::string ExpandDate(std::string_view comment, std::string_view dateText) {
    std::string text(comment);
    const auto at = text.find("<d>");
    if (at != std::string::npos) {
        text.replace(at, 3, dateText);
    }
    return text.substr(0, 64);
}

} // namespace tavrel
