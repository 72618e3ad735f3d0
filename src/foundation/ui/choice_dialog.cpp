#include "foundation/ui/choice_dialog.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrel {

namespace {

TUniAuswahlDlg::Handler& handler() {
    static TUniAuswahlDlg::Handler instance;
    return instance;
}

constexpr int MaxButtons = 12;

} // namespace

void TUniAuswahlDlg::SetHandler(Handler h) {
    handler() = std::move(h);
}

QStringList TUniAuswahlDlg::SplitCaptions(const QString& captions) {
    QStringList buttons;
    for (const QString& caption : captions.split('|')) {
        if (buttons.size() == MaxButtons) {
            break;
        }
        buttons.append(caption.trimmed());
    }
    return buttons;
}

int TUniAuswahlDlg::Ask(QWidget* parent, const QString& text, const QString& captions, int def) {
    const QStringList buttons = SplitCaptions(captions);
    if (handler()) {
        return handler()(text, buttons, def);
    }
    TUniAuswahlDlg dialog(parent, text, buttons, def);
    dialog.exec();
    return dialog.m_pressed;
}

TUniAuswahlDlg::TUniAuswahlDlg(QWidget* parent, const QString& text, const QStringList& buttons,
                               int def)
    : QDialog(parent) {
    setObjectName("TUniAuswahlDlg");
    setWindowTitle(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(text, this);
    label->setObjectName("LabelText");
    label->setWordWrap(true);
    layout->addWidget(label);
    auto* row = new QHBoxLayout;
    for (int i = 0; i < buttons.size(); ++i) {
        auto* button = new QPushButton(buttons[i], this);
        button->setObjectName(QString("Button%1").arg(i + 1));
        button->setDefault(i + 1 == def);
        button->setAutoDefault(i + 1 == def);
        connect(button, &QPushButton::clicked, this, [this, i] {
            m_pressed = i + 1;
            accept();
        });
        row->addWidget(button);
    }
    layout->addLayout(row);
}

void ShowMessage(QWidget* parent, const QString& text) {
    TUniAuswahlDlg::Ask(parent, text, "OK", 1);
}

} // namespace tavrel
