#include "app/ui/screenshot_windows.h"

#include "app/ui/main_window.h"
#include "driver_editor/measurement_text.h"
#include "driver_editor/ui/ts_fit_dialog.h"
#include "editor/part_tuning.h"
#include "editor/ui/crossover_editor.h"
#include "editor/ui/parts_library_dialog.h"
#include "model/projekt.h"
#include "optimizer/opti_checks.h"
#include "optimizer/ui/optimizer_window.h"
#include "tolerance/ui/tolerance_window.h"

#include <QCoreApplication>
#include <QRadioButton>
#include <fstream>
#include <functional>
#include <memory>

namespace tavrel {

namespace {

/// One picturable window: its name, the syntax of its arguments, and a maker that checks the
/// arguments and returns the opener.
struct WindowEntry {
    const char* name;
    const char* syntax;
    std::optional<WindowOpener> (*make)(TMainForm& main, const QStringList& arguments);
};

/// A finished run of Default-style settings: every part marked, resistors and capacitors from
/// E12. The window is shown only when the run has ended, so its picture shows the result.
void PictureOptimizerRun(TMainForm& main) {
    MarkParts(main.MutableProject(), true);
    main.OpenOptimizer();
    TFormWOptimize2* window = main.Optimizer();
    window->hide();
    window->fixByHand = nullptr; // nobody to ask: parts chosen by hand keep their value
    for (const char* name : {"RadioResistorsE12", "RadioCapacitorsE12"}) {
        window->findChild<QRadioButton*>(name)->setChecked(true);
    }
    window->StartOptimization();
    while (window->Running()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    window->show();
}

/// A finished 500-run analysis with the default tolerances, shown around the response curves.
void PictureToleranceRun(TMainForm& main) {
    main.OpenToleranceAnalysis();
    ToleranceWindow* window = main.ToleranceAnalysis();
    window->hide();
    window->ShowFields(TTolerances{});
    window->StartAnalysis();
    while (window->Running()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    window->show();
}

/// The tuning panel beside the main window; `tuned`: the current curves become the
/// reference and the first capacitor of amplifier 1 goes two steps up its tuning series.
void PictureTuning(TMainForm& main, bool tuned) {
    if (tuned) {
        main.SetReference();
        TWeiche& weiche = main.MutableProject().Amps[0].Weiche;
        for (int slot = 0; slot < WeicheGridSlots; ++slot) {
            if (weiche[slot].typ == PartCapacitor) {
                TWeichePart part = weiche[slot];
                TunePart(part, 2, TuneMode::Series, 2);
                main.ApplyTuning("picture", TuneUndoText(PartName(weiche, slot)),
                                 [&](TProjekt& p) { p.Amps[0].Weiche[slot] = part; });
                break;
            }
        }
    }
    main.ShowTuningPanel();
}

std::optional<WindowOpener> noArguments(const QStringList& arguments, WindowOpener opener) {
    if (arguments.size() != 1) {
        return std::nullopt;
    }
    return opener;
}

/// A window named NAME, or NAME:run for its picture after a whole run.
std::optional<WindowOpener> plainOrRun(const QStringList& arguments, WindowOpener open,
                                       WindowOpener openAfterRun) {
    if (arguments.size() == 1) {
        return open;
    }
    if (arguments.size() != 2 || arguments[1] != "run") {
        return std::nullopt;
    }
    return openAfterRun;
}

/// The parameter fit on a real free-air measurement beside the source tree, read as the import
/// reads it (the dialog says so when the file is not there).
void PictureTsFit(TMainForm& main) {
    auto driver = std::make_unique<TChassis>();
    std::ifstream in("../shared/testdata/measurements/SpeAcouPy_FaitalPRO_12PR320_impedance.frd");
    const MeasurementPoints points = ReadMeasurementPoints(in);
    int n = 0;
    for (int i = 0; i < points.count() && n < MeasuredMaxPoints; ++i) {
        if (points.value1[i] > 0.0) {
            driver->FgangIF[n] = points.f[i];
            driver->FgangI[n++] = points.value1[i];
        }
    }
    driver->Amem = 0.0531;
    auto* dialog = new TsFitDialog(*driver, &main);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

/// A window named NAME:N, with N from 1 to `high`.
std::optional<WindowOpener> numbered(const QStringList& arguments, int high,
                                     std::function<void(int)> open) {
    const auto number = WindowArgument(arguments, 1, 1, high);
    if (!number || arguments.size() != 2) {
        return std::nullopt;
    }
    return [open = std::move(open), n = *number] { open(n); };
}

const WindowEntry Windows[] = {
    {"properties", "properties",
     [](TMainForm& main, const QStringList& args) {
         return noArguments(args, [&main] { main.EditProperties(); });
     }},
    {"active-filter", "active-filter:A (amplifier 1..6)",
     [](TMainForm& main, const QStringList& args) {
         return numbered(args, MaxAmps, [&main](int a) { main.EditActiveFilter(a); });
     }},
    {"directories", "directories",
     [](TMainForm& main, const QStringList& args) {
         return noArguments(args, [&main] { main.EditDirectories(); });
     }},
    {"driver-editor", "driver-editor:N[:PAGE] (driver 1..9, page driver|enclosure|baffle|more)",
     [](TMainForm& main, const QStringList& args) -> std::optional<WindowOpener> {
         static const QStringList pages{"driver", "enclosure", "baffle", "more"};
         const auto driver = WindowArgument(args, 1, 1, ChassisSlots);
         const int page = args.size() == 3 ? static_cast<int>(pages.indexOf(args[2])) : 0;
         if (!driver || args.size() > 3 || page < 0) {
             return std::nullopt;
         }
         return [&main, d = *driver, page] { main.EditDriver(d - 1, page); };
     }},
    {"export", "export",
     [](TMainForm& main, const QStringList& args) {
         return noArguments(args, [&main] { main.ExportResults(); });
     }},
    {"dsp-export", "dsp-export",
     [](TMainForm& main, const QStringList& args) {
         return noArguments(args, [&main] { main.ExportDspSettings(); });
     }},
    {"optimizer", "optimizer[:run] (run: every part optimized, E12)",
     [](TMainForm& main, const QStringList& args) {
         return plainOrRun(
             args, [&main] { main.OpenOptimizer(); }, [&main] { PictureOptimizerRun(main); });
     }},
    {"tolerance", "tolerance[:run] (run: after a 500-run analysis)",
     [](TMainForm& main, const QStringList& args) {
         return plainOrRun(
             args, [&main] { main.OpenToleranceAnalysis(); },
             [&main] { PictureToleranceRun(main); });
     }},
    {"parts", "parts",
     [](TMainForm& main, const QStringList& args) {
         return noArguments(args, [&main] { main.OpenPartsList(); });
     }},
    {"crossover-editor", "crossover-editor:A[:print] (amplifier 1..6)",
     [](TMainForm& main, const QStringList& args) -> std::optional<WindowOpener> {
         const auto amp = WindowArgument(args, 1, 1, MaxAmps);
         const bool print = args.size() == 3 && args[2] == "print";
         if (!amp || (args.size() != 2 && !print)) {
             return std::nullopt;
         }
         return [&main, a = *amp, print] {
             main.EditNetwork(a);
             main.NetworkEditor()->SetPrintView(print);
         };
     }},
    {"part-editor", "part-editor:A:SLOT (amplifier 1..6, slot 1..178)",
     [](TMainForm& main, const QStringList& args) -> std::optional<WindowOpener> {
         const auto amp = WindowArgument(args, 1, 1, MaxAmps);
         const auto slot = WindowArgument(args, 2, 1, WeicheGridSlots);
         if (!amp || !slot || args.size() != 3) {
             return std::nullopt;
         }
         return [&main, a = *amp, s = *slot] {
             main.NetworkEditor()->Load(a);
             main.NetworkEditor()->EditPart(s - 1, QPoint(300, 200));
         };
     }},
    {"parts-library", "parts-library",
     [](TMainForm& main, const QStringList& args) {
         return noArguments(args, [&main] {
             TFormWParts library(main.PartsDirectory(), &main);
             library.exec();
         });
     }},
    {"free-wires", "free-wires:A (amplifier 1..6)",
     [](TMainForm& main, const QStringList& args) {
         return numbered(args, MaxAmps, [&main](int a) {
             main.NetworkEditor()->Load(a);
             main.NetworkEditor()->EditFreeWires();
         });
     }},
    {"mouse-keys", "mouse-keys",
     [](TMainForm& main, const QStringList& args) {
         return noArguments(args, [&main] { main.NetworkEditor()->EditMouseKeys(); });
     }},
    {"housing", "housing",
     [](TMainForm& main, const QStringList& args) {
         return noArguments(args, [&main] { main.EditCommonHousing(); });
     }},
    {"view-options", "view-options",
     [](TMainForm& main, const QStringList& args) {
         return noArguments(args, [&main] { main.EditViewOptions(); });
     }},
    {"copy-driver", "copy-driver",
     [](TMainForm& main, const QStringList& args) {
         return noArguments(args, [&main] { main.CopyDriver(); });
     }},
    {"tuning", "tuning[:tuned] (tuned: a capacitor two steps up, the old curves as reference)",
     [](TMainForm& main, const QStringList& args) -> std::optional<WindowOpener> {
         const bool tuned = args.size() == 2 && args[1] == "tuned";
         if (args.size() != 1 && !tuned) {
             return std::nullopt;
         }
         return [&main, tuned] { PictureTuning(main, tuned); };
     }},
    {"tsfit", "tsfit",
     [](TMainForm& main, const QStringList& args) {
         return noArguments(args, [&main] { PictureTsFit(main); });
     }},
    {"calculators",
     "calculators:PAGE (sealed, port, crossovers, divider, correction, passive-radiator)",
     [](TMainForm& main, const QStringList& args) -> std::optional<WindowOpener> {
         const QStringList pages{"sealed",  "port",       "crossovers",
                                 "divider", "correction", "passive-radiator"};
         const int page = args.size() == 2 ? static_cast<int>(pages.indexOf(args[1])) : -1;
         if (page < 0) {
             return std::nullopt;
         }
         return [&main, page] { main.ShowCalculator(page); };
     }},
};

} // namespace

std::optional<int> WindowArgument(const QStringList& arguments, int index, int low, int high) {
    if (index >= arguments.size()) {
        return std::nullopt;
    }
    bool ok = false;
    const int value = arguments[index].toInt(&ok);
    if (!ok || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<WindowOpener> FindWindowOpener(TMainForm& main, const QString& name, QString& error) {
    const QStringList arguments = name.split(':');
    for (const WindowEntry& entry : Windows) {
        if (arguments.first() != entry.name) {
            continue;
        }
        if (auto opener = entry.make(main, arguments)) {
            return opener;
        }
        error = QString("window '%1' takes the form %2").arg(name, entry.syntax);
        return std::nullopt;
    }
    error = QString("no window named '%1' (windows: %2)").arg(name, WindowNames().join(", "));
    return std::nullopt;
}

bool PicturesMainWindow(const QString& name) {
    return name.split(':').first() == "tuning";
}

QStringList WindowNames() {
    QStringList names;
    for (const WindowEntry& entry : Windows) {
        names << entry.syntax;
    }
    return names;
}

} // namespace tavrel
