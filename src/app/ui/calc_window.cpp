#include "app/ui/calc_window.h"

#include "foundation/ui/store_text.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tavrel {

TFormRechnen::TFormRechnen(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormRechnen");
    setWindowTitle("Calculate");
    auto* layout = new QVBoxLayout(this);
    m_errMemo = new QPlainTextEdit(this);
    m_errMemo->setObjectName("ErrMemo");
    m_errMemo->setReadOnly(true);
    layout->addWidget(m_errMemo);
    resize(560, 320);
}

void TFormRechnen::ShowErrors(const std::vector<std::string>& errors) {
    m_errMemo->clear();
    for (const std::string& error : errors) {
        QString text = FromStoreText(error);
        text.replace("\r\n", "\n");
        m_errMemo->appendPlainText(text);
    }
    if (errors.empty()) {
        m_errMemo->appendPlainText("Calculation successful.");
    }
}

QString TFormRechnen::Text() const {
    return m_errMemo->toPlainText();
}

} // namespace tavrel
