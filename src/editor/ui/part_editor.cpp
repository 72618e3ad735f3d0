#include "editor/ui/part_editor.h"

#include "app/ui/store_text.h"
#include "editor/part_editor_rules.h"
#include "editor/ui/parts_library_dialog.h"
#include "foundation/number_text.h"
#include "model/projekt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tavrel {

namespace {

constexpr int ValueFieldLength = 20;

/// The library page shown last: the library opens there when no part kind is wanted.
PartsPage lastLibraryPage = PartsPage::Resistors;

double fieldValue(const QLineEdit* edit) {
    return TextToFloat(ToStoreText(edit->text()));
}

/// Moves `rect` inside `area`: bottom, left, top, right, in this order.
QPoint insideArea(QRect rect, const QRect& area) {
    if (rect.bottom() > area.bottom()) {
        rect.moveBottom(area.bottom());
    }
    if (rect.left() < area.left()) {
        rect.moveLeft(area.left());
    }
    if (rect.top() < area.top()) {
        rect.moveTop(area.top());
    }
    if (rect.right() > area.right()) {
        rect.moveRight(area.right());
    }
    return rect.topLeft();
}

QRect workArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

/// Puts the library up and to the left of the part editor at `editor`, inside the work area.
void placeLeftOf(QWidget& library, QPoint editor) {
    const QRect area = workArea();
    library.adjustSize();
    const int top =
        std::max(area.top(), std::min(area.bottom() - library.height(), editor.y() - 20));
    const int left =
        std::max(area.left(), std::min(area.right() - library.width(), editor.x() - 240));
    library.move(left, top);
}

} // namespace

TFormParteditor::TFormParteditor(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormParteditor");
    setWindowTitle("Edit part");
    auto* layout = new QHBoxLayout(this);
    auto* group = new QGroupBox("type of part", this);
    auto* typeColumn = new QVBoxLayout(group);
    for (int t = 0; t < 7; ++t) {
        m_types[t] = new QRadioButton(PartTypeCaptions[t], group);
        m_types[t]->setObjectName(QString("RadioType%1").arg(t));
        connect(m_types[t], &QRadioButton::toggled, this, [this, t](bool on) {
            if (on) {
                showType(t);
            }
        });
        typeColumn->addWidget(m_types[t]);
    }
    layout->addWidget(group);

    auto* fields = new QGridLayout;
    m_valueLabel = new QLabel("value", this);
    m_value = new QLineEdit(this);
    m_value->setObjectName("EditValue");
    m_value->setMaxLength(ValueFieldLength);
    m_unit = new QLabel(this);
    fields->addWidget(m_valueLabel, 0, 0);
    fields->addWidget(m_value, 0, 1);
    fields->addWidget(m_unit, 0, 2);
    m_rvalue = new QLineEdit(this);
    m_rvalue->setObjectName("EditRvalue");
    m_rvalue->setMaxLength(ValueFieldLength);
    m_rvalueUnit = new QLabel("ohm", this);
    fields->addWidget(m_rvalue, 1, 1);
    fields->addWidget(m_rvalueUnit, 1, 2);
    m_commentLabel = new QLabel("comm..", this);
    m_comment = new QLineEdit(this);
    m_comment->setObjectName("EditComment");
    fields->addWidget(m_commentLabel, 2, 0);
    fields->addWidget(m_comment, 2, 1, 1, 2);
    m_negPolarity = new QCheckBox("neg. polarity", this);
    m_negPolarity->setObjectName("CheckNegPolarity");
    fields->addWidget(m_negPolarity, 3, 1, 1, 2);
    m_drivers = new QComboBox(this);
    m_drivers->setObjectName("ListDrivers");
    fields->addWidget(m_drivers, 4, 1, 1, 2);
    m_optimize = new QCheckBox("optimize part", this);
    m_optimize->setObjectName("CheckOptimize");
    fields->addWidget(m_optimize, 5, 1, 1, 2);
    fields->setRowStretch(6, 1);

    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    auto* library = new QPushButton("select part from list ...", this);
    library->setObjectName("BtnLibrary");
    connect(library, &QPushButton::clicked, this, &TFormParteditor::SelectFromLibrary);
    right->addWidget(library);
    auto* buttons = new QHBoxLayout;
    m_ok = new QPushButton("&Ok", this);
    m_ok->setObjectName("BtnOk");
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* abort = new QPushButton("&Abort", this);
    abort->setObjectName("BtnAbort");
    connect(abort, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(m_ok);
    buttons->addWidget(abort);
    right->addLayout(buttons);
    layout->addLayout(right);
}

void TFormParteditor::Load(const TWeichePart& part, const TProjekt& projekt,
                           const std::string& partsDir, int amp) {
    m_part = part;
    m_partsDir = partsDir;
    m_amp = amp;
    m_drivers->clear();
    for (const std::string& entry : DriverListEntries(projekt)) {
        m_drivers->addItem(FromStoreText(entry));
    }
    const PartEditorFields fields = FieldsForPart(part, m_drivers->count());
    const int typ = fields.typ >= 0 && fields.typ < 7 ? fields.typ : 0;
    m_types[typ]->setChecked(true);
    showType(typ);
    m_value->setText(FromStoreText(fields.value));
    m_rvalue->setText(FromStoreText(fields.rvalue));
    m_comment->setText(FromStoreText(fields.comment));
    m_optimize->setChecked(fields.optimize);
    m_negPolarity->setChecked(fields.negPolarity);
    m_drivers->setCurrentIndex(fields.driverIndex);
    if (ControlsForType(typ).value) {
        m_value->setFocus();
        m_value->selectAll();
    }
}

void TFormParteditor::RestrictToType(int typ) {
    m_onlyType = typ;
    for (int t = 0; t < 7; ++t) {
        m_types[t]->setVisible(t == typ);
    }
    m_types[typ]->setChecked(true);
}

void TFormParteditor::showType(int typ) {
    const PartEditorControls controls = ControlsForType(typ);
    m_valueLabel->setVisible(controls.value);
    m_value->setVisible(controls.value);
    m_unit->setVisible(controls.value);
    m_unit->setText(FromStoreText(controls.unit));
    m_rvalue->setVisible(controls.rvalue);
    m_rvalueUnit->setVisible(controls.rvalue);
    m_commentLabel->setVisible(controls.comment);
    m_comment->setVisible(controls.comment);
    m_negPolarity->setVisible(controls.polarity);
    m_drivers->setVisible(controls.driverList);
    m_optimize->setVisible(controls.optimize);
}

int TFormParteditor::tickedType() const {
    for (int t = 0; t < 7; ++t) {
        if (m_types[t]->isChecked()) {
            return t;
        }
    }
    return 0;
}

TWeichePart TFormParteditor::Edited() const {
    PartEditorFields fields;
    fields.typ = tickedType();
    fields.value = ToStoreText(m_value->text());
    fields.rvalue = ToStoreText(m_rvalue->text());
    fields.comment = ToStoreText(m_comment->text());
    fields.optimize = m_optimize->isChecked();
    fields.negPolarity = m_negPolarity->isChecked();
    fields.driverIndex = m_drivers->currentIndex();
    return PartFromFields(m_part, fields);
}

void TFormParteditor::PlaceNear(QPoint global) {
    adjustSize();
    move(insideArea(QRect(global, size()), workArea()));
}

void TFormParteditor::SelectFromLibrary() {
    TFormWParts library(m_partsDir, this);
    library.SetPage(lastLibraryPage);
    const int typ = tickedType();
    if (typ >= PartResistor && typ <= PartInductance) {
        library.SetWanted({typ, ToStoreText(m_comment->text()), fieldValue(m_value),
                           typ == PartInductance ? fieldValue(m_rvalue) : 0.0});
    }
    if (m_onlyType >= 0) {
        library.RestrictToType(m_onlyType);
    }
    placeLeftOf(library, pos());
    // Nothing chosen (kind 0) leaves the part as it is rather than emptying the slot.
    const ChosenPart& chosen = library.Chosen();
    const bool accepted = library.exec() == QDialog::Accepted;
    lastLibraryPage = library.Page();
    const bool allowed = m_onlyType < 0 || chosen.kind == m_onlyType;
    if (accepted && chosen.kind > 0 && allowed) {
        m_types[chosen.kind]->setChecked(true);
        if (chosen.kind >= PartResistor) {
            m_value->setText(FromStoreText(LibraryValueText(chosen.value)));
            m_comment->setText(FromStoreText(chosen.name));
        }
        if (chosen.kind == PartInductance) {
            m_rvalue->setText(FromStoreText(LibraryValueText(chosen.resistance)));
        }
    }
    m_ok->setFocus();
}

std::optional<TWeichePart> EditPartOfType(QWidget* parent, const TWeichePart& part, int allowedType,
                                          const TProjekt& projekt, const std::string& partsDir) {
    TFormParteditor editor(parent);
    editor.Load(part, projekt, partsDir, -1);
    editor.RestrictToType(allowedType);
    if (editor.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return editor.Edited();
}

} // namespace tavrel
