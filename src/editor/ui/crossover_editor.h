// TFormWeicheneditor: the crossover network editor of one amplifier. It edits a private copy
// of the network on the schematic; "A&pply" and "&Ok" hand the copy to its host, which
// records the undo step, writes the network into the project and requests a calculation.
#pragma once

#include "editor/click_actions.h"
#include "editor/schematic_drawing.h"
#include "foundation/settings.h"
#include "model/weiche.h"

#include <QMainWindow>
#include <array>
#include <functional>

class QAction;

namespace tavrel {

class SchematicPaintBox;
struct TProjekt;

class TFormWeicheneditor : public QMainWindow {
    Q_OBJECT
public:
    /// What the editor needs from the main window.
    struct Host {
        std::function<const TProjekt&()> project;
        /// The directory of the parts files.
        std::function<std::string()> partsDir;
        /// Pushes the undo step `undoText`, writes `weiche` as network `amp` (0-based), marks
        /// the project modified and requests a calculation.
        std::function<void(int amp, const TWeiche& weiche, const std::string& undoText)> apply;
        std::function<void()> markModified;
        /// One tuning step on `slot`: writes `weiche` as network `amp` at once, with one undo
        /// step `undoText` per gesture, and requests a calculation.
        std::function<void(int amp, const TWeiche& weiche, int slot, const std::string& undoText)>
            tune;
        /// The main window's undo (Ctrl+Z in the editor).
        std::function<void()> undo;
        /// The loads of part `slot` of network `amp` (0-based) as the charts were calculated,
        /// for the tooltip; may be empty.
        std::function<std::string(int amp, int slot)> partLoads;
        /// The editor has closed (the main window updates its menus).
        std::function<void()> closed;
    };

    TFormWeicheneditor(TSettings& settings, Host host, QWidget* parent = nullptr);

    /// Loads network N (1..6) of the project into the working copy.
    void Load(int amp);
    /// Loads network N and shows the window without modality.
    void Open(int amp);
    /// Writes the working copy back; nothing happens while no network is loaded.
    void Apply();
    /// "&Ok": applies when the close checks pass, then closes.
    void Ok();
    /// "&Abort": closes without applying.
    void Abort();

    /// One mouse click on the schematic (position in schematic pixels).
    void Click(MouseButton button, bool shift, bool ctrl, QPoint position);
    /// Opens the part editor on a grid slot, placed near `position`.
    void EditPart(int slot, QPoint position);
    void EditFreeWires();
    void EditMouseKeys();
    void SetPrintView(bool print);
    void SetSize(int size);
    void SetOptimizeMarks(MarkScope scope);
    /// One tuning step (wheel notches or + / −) at `position`: the part there moves through
    /// the tuning series (Ctrl: by 1 %; Shift over an inductance: its series resistance by
    /// 5 %) and is applied at once.
    void Tune(QPoint position, int notches, bool shift, bool ctrl);
    /// Takes slot `slot` of `weiche` into the working copy when network `amp` (0-based) is
    /// loaded: the tuning panel changed it in the project.
    void TakePart(int amp, int slot, const TWeiche& weiche);
    /// "Tuning series": 6, 12 or 24 values a decade.
    void SetTuningSeries(int valuesPerDecade);

    int Amp() const { return m_amp; }
    const TWeiche& Working() const { return m_working; }
    const SchematicOptions& Options() const { return m_options; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class LastButton { None, Ok, Abort };

    void createMenus();
    void createButtons(QWidget* side);
    void createTuningMenu();
    void layoutForSize();
    void keepOnScreen();
    bool confirmClose();

    TSettings& m_settings;
    Host m_host;
    TWeiche m_working{};
    int m_amp = -1;
    LastButton m_last = LastButton::None;
    SchematicOptions m_options;
    SchematicPaintBox* m_view = nullptr;
    std::array<QAction*, 3> m_sizeActions{};
    std::array<QAction*, 3> m_seriesActions{};
    QAction* m_editView = nullptr;
    QAction* m_printView = nullptr;
};

} // namespace tavrel
