#include "editor/ui/crossover_editor.h"

#include "editor/network_checks.h"
#include "editor/part_tuning.h"
#include "editor/schematic_layout.h"
#include "editor/ui/free_wires_dialog.h"
#include "editor/ui/mouse_keys_dialog.h"
#include "editor/ui/part_editor.h"
#include "editor/ui/schematic_paint_box.h"
#include "foundation/ui/choice_dialog.h"
#include "optimizer/e_series.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tavrel {

namespace {

QAction* addChoice(QMenu* menu, QActionGroup* group, const QString& caption, bool checked) {
    QAction* action = menu->addAction(caption);
    action->setCheckable(true);
    action->setChecked(checked);
    group->addAction(action);
    return action;
}

} // namespace

TFormWeicheneditor::TFormWeicheneditor(TSettings& settings, Host host, QWidget* parent)
    : QMainWindow(parent), m_settings(settings), m_host(std::move(host)) {
    setObjectName("TFormWeicheneditor");
    setWindowFlag(Qt::Window);
    setWindowTitle("Crossover network editor - amplifier X");
    move(184, 508);
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(4, 4, 4, 4);
    m_view = new SchematicPaintBox(
        [this] {
            return DrawSchematic(m_working, m_host.project(), MetricsForSize(m_settings.WEsize),
                                 m_options);
        },
        [this](MouseButton button, bool shift, bool ctrl, QPoint p) {
            Click(button, shift, ctrl, p);
        },
        central);
    m_view->SetTuneHandler(
        [this](QPoint p, int notches, bool shift, bool ctrl) { Tune(p, notches, shift, ctrl); });
    m_view->SetTipSource([this](int slot) {
        return m_host.partLoads && m_amp >= 0 ? QString::fromLatin1(m_host.partLoads(m_amp, slot))
                                              : QString();
    });
    row->addWidget(m_view, 0, Qt::AlignTop | Qt::AlignLeft);
    auto* side = new QWidget(central);
    createButtons(side);
    row->addWidget(side, 0, Qt::AlignTop);
    setCentralWidget(central);
    createMenus();
}

void TFormWeicheneditor::createButtons(QWidget* side) {
    auto* column = new QVBoxLayout(side);
    const auto add = [&](const char* caption, const char* name,
                         void (TFormWeicheneditor::*slot)()) {
        auto* button = new QPushButton(caption, side);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, slot);
        column->addWidget(button);
    };
    add("A&pply", "BtnApply", &TFormWeicheneditor::Apply);
    add("&Ok", "BtnOk", &TFormWeicheneditor::Ok);
    add("&Abort", "BtnAbort", &TFormWeicheneditor::Abort);
    column->addStretch();
}

void TFormWeicheneditor::createMenus() {
    QMenu* action = menuBar()->addMenu("action");
    QAction* apply = action->addAction("apply changes");
    apply->setObjectName("ActApplyChanges");
    apply->setShortcut(QKeySequence("Ctrl+U"));
    connect(apply, &QAction::triggered, this, &TFormWeicheneditor::Apply);
    QAction* undo = action->addAction("Undo");
    undo->setObjectName("ActUndo");
    undo->setShortcut(QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, [this] {
        if (m_host.undo) {
            m_host.undo();
        }
    });
    createTuningMenu();

    QMenu* size = menuBar()->addMenu("size of window");
    auto* sizes = new QActionGroup(this);
    const char* sizeCaptions[] = {"small", "medium", "large"};
    for (int s = 0; s < 3; ++s) {
        m_sizeActions[s] = addChoice(size, sizes, sizeCaptions[s], false);
        connect(m_sizeActions[s], &QAction::triggered, this, [this, s] { SetSize(s + 1); });
    }

    QMenu* display = menuBar()->addMenu("display of inductances");
    auto* labels = new QActionGroup(this);
    connect(addChoice(display, labels, "R value", true), &QAction::triggered, this, [this] {
        m_options.view.labels = LabelMode::RValue;
        m_view->update();
    });
    connect(addChoice(display, labels, "Denomination", false), &QAction::triggered, this, [this] {
        m_options.view.labels = LabelMode::Denomination;
        m_view->update();
    });

    QMenu* view = menuBar()->addMenu("View");
    auto* views = new QActionGroup(this);
    m_editView = addChoice(view, views, "Edit view", true);
    m_printView = addChoice(view, views, "print view", false);
    connect(m_editView, &QAction::triggered, this, [this] { SetPrintView(false); });
    connect(m_printView, &QAction::triggered, this, [this] { SetPrintView(true); });

    connect(menuBar()->addMenu("free wires")->addAction("Edit ..."), &QAction::triggered, this,
            &TFormWeicheneditor::EditFreeWires);
    connect(menuBar()->addMenu("Mouse key settings")->addAction("change ..."), &QAction::triggered,
            this, &TFormWeicheneditor::EditMouseKeys);

    QMenu* optimization = menuBar()->addMenu("Optimization");
    const std::pair<const char*, MarkScope> marks[] = {
        {"mark all parts", MarkScope::AllParts},
        {"mark all resistors", MarkScope::AllResistors},
        {"remove all marks", MarkScope::None}};
    for (const auto& [caption, scope] : marks) {
        connect(optimization->addAction(caption), &QAction::triggered, this,
                [this, scope = scope] { SetOptimizeMarks(scope); });
    }
}

void TFormWeicheneditor::createTuningMenu() {
    QMenu* tuning = menuBar()->addMenu("Tuning series");
    auto* series = new QActionGroup(this);
    const int values[] = {6, 12, 24};
    for (int i = 0; i < 3; ++i) {
        m_seriesActions[i] = addChoice(tuning, series, QString("E%1").arg(values[i]),
                                       m_settings.TuningSeries == values[i]);
        m_seriesActions[i]->setObjectName(QString("ActTuningE%1").arg(values[i]));
        connect(m_seriesActions[i], &QAction::triggered, this,
                [this, v = values[i]] { SetTuningSeries(v); });
    }
}

void TFormWeicheneditor::SetTuningSeries(int valuesPerDecade) {
    m_settings.TuningSeries = valuesPerDecade;
    for (QAction* action : m_seriesActions) {
        action->setChecked(action->text() == QString("E%1").arg(valuesPerDecade));
    }
}

void TFormWeicheneditor::Tune(QPoint position, int notches, bool shift, bool ctrl) {
    const int slot = HitSlot(MetricsForSize(m_settings.WEsize), {position.x(), position.y()});
    if (m_amp < 0 || slot < 0) {
        return;
    }
    TWeichePart& part = m_working[slot];
    const TuneMode mode = shift && part.typ == PartInductance ? TuneMode::SeriesResistance
                          : ctrl                              ? TuneMode::Fine
                                                              : TuneMode::Series;
    if (!TunePart(part, notches, mode, SeriesStepOf(m_settings.TuningSeries))) {
        return;
    }
    m_view->update();
    if (m_host.tune) {
        m_host.tune(m_amp, m_working, slot, TuneUndoText(PartName(m_working, slot)));
    }
}

void TFormWeicheneditor::TakePart(int amp, int slot, const TWeiche& weiche) {
    if (amp == m_amp) {
        m_working[slot] = weiche[slot];
        m_view->update();
    }
}

void TFormWeicheneditor::Load(int amp) {
    m_working = m_host.project().Amps[amp - 1].Weiche;
    m_amp = amp - 1;
    m_last = LastButton::None;
    setWindowTitle(QString("Crossover network editor - amplifier %1").arg(amp));
    m_view->update();
}

void TFormWeicheneditor::Open(int amp) {
    Load(amp);
    show();
    raise();
    m_view->update();
}

void TFormWeicheneditor::Apply() {
    if (m_amp < 0) {
        return;
    }
    m_host.apply(m_amp, m_working, ApplyUndoText(m_amp));
}

void TFormWeicheneditor::Ok() {
    m_last = LastButton::Ok;
    m_host.markModified();
    close();
}

void TFormWeicheneditor::Abort() {
    m_last = LastButton::Abort;
    close();
}

void TFormWeicheneditor::Click(MouseButton button, bool shift, bool ctrl, QPoint position) {
    const int slot = HitSlot(MetricsForSize(m_settings.WEsize), {position.x(), position.y()});
    if (slot < 0) {
        return;
    }
    const ClickAction action = ActionOfClick(m_settings.TBWEopti, button, shift, ctrl);
    if (action == ClickAction::EditPart) {
        EditPart(slot, position);
    } else {
        ApplyClickAction(m_working[slot], action);
    }
    m_view->update();
}

void TFormWeicheneditor::EditPart(int slot, QPoint position) {
    TFormParteditor editor(this);
    editor.Load(m_working[slot], m_host.project(), m_host.partsDir(), m_amp);
    editor.PlaceNear(geometry().topLeft() + position - QPoint(0, 20));
    if (editor.exec() == QDialog::Accepted) {
        m_working[slot] = editor.Edited();
    }
    m_view->update();
}

void TFormWeicheneditor::EditFreeWires() {
    TFormFreiDraht dialog(this);
    dialog.Load(m_working);
    m_options.showNodeNumbers = true;
    m_view->update();
    if (dialog.exec() == QDialog::Accepted) {
        m_working = dialog.Edited();
    }
    m_options.showNodeNumbers = false;
    m_view->update();
}

void TFormWeicheneditor::EditMouseKeys() {
    TFormTastbeleg dialog(this);
    dialog.Load(m_settings.TBWEopti);
    if (dialog.exec() == QDialog::Accepted) {
        m_settings.TBWEopti = dialog.Assignment();
    }
}

void TFormWeicheneditor::SetPrintView(bool print) {
    m_options.view.printView = print;
    (print ? m_printView : m_editView)->setChecked(true);
    m_view->update();
}

void TFormWeicheneditor::SetSize(int size) {
    m_settings.WEsize = MetricsForSize(size).size;
    layoutForSize();
}

void TFormWeicheneditor::SetOptimizeMarks(MarkScope scope) {
    tavrel::SetOptimizeMarks(m_working, scope);
    m_view->update();
}

void TFormWeicheneditor::layoutForSize() {
    const SchematicMetrics metrics = MetricsForSize(m_settings.WEsize);
    const int dpi = logicalDpiY();
    m_sizeActions[metrics.size - 1]->setChecked(true);
    m_view->SetMetrics(metrics, SchematicFontPoints(metrics.size, dpi));
    const EditorWindowSize size = EditorWindowSizeFor(metrics, dpi);
    resize(size.width, size.height);
    keepOnScreen();
}

void TFormWeicheneditor::keepOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    int left = x(), top = y();
    if (top + height() + 30 > area.height()) {
        top = area.height() - height() - 30;
    }
    if (left + width() > area.width()) {
        left = area.width() - width();
    }
    move(std::max(left, 0), std::max(top, 0));
}

void TFormWeicheneditor::showEvent(QShowEvent* event) {
    layoutForSize();
    SetPrintView(false);
    QMainWindow::showEvent(event);
}

bool TFormWeicheneditor::confirmClose() {
    // Every question is asked; "change now" to any of them keeps the window open.
    bool goAhead = true;
    for (const std::string& question : CloseQuestions(m_working)) {
        const int answer =
            TUniAuswahlDlg::Ask(this, QString::fromStdString(question), CloseQuestionChoices, 1);
        goAhead = goAhead && answer != 1;
    }
    return goAhead;
}

void TFormWeicheneditor::closeEvent(QCloseEvent* event) {
    if (m_last == LastButton::Ok && !confirmClose()) {
        event->ignore();
        return;
    }
    if (m_last == LastButton::Ok) {
        Apply();
    }
    m_amp = -1;
    m_last = LastButton::None;
    QMainWindow::closeEvent(event);
    if (m_host.closed) {
        m_host.closed();
    }
}

} // namespace tavrel
