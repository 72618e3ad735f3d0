#include "engine/calc_engine.h"

#include "engine/active_filter.h"
#include "engine/baffle.h"
#include "engine/driver_model.h"
#include "engine/speaker.h"
#include "engine/time_response.h"
#include "foundation/number_text.h"

namespace tavrel {

namespace {

constexpr const char* Pending = "F";

int firstAmpDriving(const TProjekt& p, int d) {
    for (int a = 0; a < AmpCount(p); ++a) {
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
    : m_working(std::make_unique<TProjekt>()), m_scratch(MakeNetworkScratch()) {
    m_speakerStale.fill(true);
}

TCalcEngine::~TCalcEngine() = default;

void TCalcEngine::MarkAll() {
    m_status = TCalcStruct{};
    m_results.clear();
    m_speakerStale.fill(true);
}

void TCalcEngine::markDriversOf(int amp) {
    for (int d = 0; d < ChassisSlots; ++d) {
        if (m_results.current().AmpOfChassis[d] == amp) {
            m_speakerStale[d] = true;
        }
    }
}

void TCalcEngine::Accept(const TProjekt& incoming) {
    detectChanges(incoming);
    *m_working = incoming;
    countPendingJobs();
}

void TCalcEngine::detectChanges(const TProjekt& in) {
    const TProjekt& old = *m_working;
    for (int d = 0; d < ChassisCount(in); ++d) {
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
    for (int a = 0; a < AmpCount(in); ++a) {
        if (!(in.Amps[a].Weiche == old.Amps[a].Weiche)) {
            m_status.Weiche[a] = Pending;
            m_status.Check = Pending;
            m_status.Speaker = Pending;
        }
        if (!(in.Amps[a].AktFilter == old.Amps[a].AktFilter) || in.DSPRate != old.DSPRate) {
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
    for (int a = 0; a < AmpCount(p); ++a) {
        count(m_status.AktFilter[a]);
        count(m_status.Weiche[a]);
    }
    for (int d = 0; d < ChassisCount(p); ++d) {
        count(m_status.Baffle[d]);
        count(m_status.Chassis[d]);
    }
}

// Every job catches its own failures and returns its state text, so a job never ends the pass.
bool TCalcEngine::RunNextJob() {
    const TProjekt& p = *m_working;
    TResult& r = results();
    ResultChanges& changed = m_results.changes();
    auto run = [this](std::string& status, const std::string& outcome) {
        status = outcome;
        ++m_jobsDone;
        return true;
    };
    if (m_status.Check == Pending) {
        const auto before = r.AmpOfChassis;
        run(m_status.Check, RunCheckJob(p, r));
        for (int d = 0; d < ChassisSlots; ++d) {
            m_speakerStale[d] = m_speakerStale[d] || before[d] != r.AmpOfChassis[d];
        }
        return true;
    }
    for (int d = 0; d < ChassisCount(p); ++d) {
        if (m_status.Baffle[d] == Pending) {
            m_speakerStale[d] = true;
            changed.baffle[d] = true;
            return run(m_status.Baffle[d], RunBaffleJob(p, d, r));
        }
    }
    for (int a = 0; a < AmpCount(p); ++a) {
        if (m_status.AktFilter[a] == Pending) {
            markDriversOf(a);
            return run(m_status.AktFilter[a], RunAktFilterJob(p, a, r));
        }
    }
    for (int d = 0; d < ChassisCount(p); ++d) {
        if (m_status.Chassis[d] == Pending) {
            m_speakerStale[d] = true;
            return run(m_status.Chassis[d], RunDriverJob(p, d, r));
        }
    }
    for (int a = 0; a < AmpCount(p); ++a) {
        if (m_status.Weiche[a] == Pending) {
            markDriversOf(a);
            return run(m_status.Weiche[a], RunNetworkJob(p, a, r, *m_scratch));
        }
    }
    if (m_status.Speaker == Pending) {
        run(m_status.Speaker, RunSpeakerJob(p, r, &m_speakerStale));
        AddFlags(changed.directions, m_speakerStale);
        if (m_timeCurves) {
            AddFlags(changed.time,
                     RunTimeCurves(p, r, m_allTimeCurves ? nullptr : &m_speakerStale));
            m_allTimeCurves = false;
        }
        // After a failed job some points were not summed: everything is computed next time.
        m_speakerStale.fill(m_status.Speaker != "Ok");
        return true;
    }
    return false;
}

void TCalcEngine::FinishPass() {
    const TProjekt& p = *m_working;
    TResult& r = results();
    r.Valid = false;
    int i = 0;
    while (i < GridSize - 1 && p.f[i] > 0) {
        r.Freq[i] = p.f[i];
        ++i;
    }
    r.Freq[i] = 0.0;
    r.nFreq = i;
    r.nAmps = AmpCount(p);
    r.nChassis = ChassisCount(p);
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
    }
    Accept(project);
    while (RunNextJob()) {
    }
    FinishPass();
}

void TCalcEngine::CopyStateFrom(const TCalcEngine& other) {
    *m_working = *other.m_working;
    // The other engine's results may be a snapshot whose receiver writes Valid meanwhile.
    CopyChangedResults(results(), other.Result(), ResultChanges{.all = true});
    m_results.changes().all = true;
    m_status = other.m_status;
    m_speakerStale = other.m_speakerStale;
    m_allTimeCurves = true;
    m_jobCount = 0;
    m_jobsDone = 0;
}

std::string RunCheckJob(const TProjekt& p, TResult& r) {
    std::array<int, ChassisSlots> first{}, second{};
    first.fill(-1);
    second.fill(-1);
    r.AmpOfChassis.fill(-1);
    bool failed = false;
    const int nChassis = ChassisCount(p);
    for (int a = 0; a < AmpCount(p); ++a) {
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

std::vector<std::string> CollectErrors(const TCalcStruct& s, const TProjekt& p) {
    std::vector<std::string> errors;
    auto add = [&errors](const std::string& text) {
        if (text != "Ok") {
            errors.push_back(text);
        }
    };
    add(s.Check);
    for (int a = 0; a < AmpCount(p); ++a) {
        add(s.AktFilter[a]);
        add(s.Weiche[a]);
    }
    for (int d = 0; d < ChassisCount(p); ++d) {
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
