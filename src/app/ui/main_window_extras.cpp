// The main window's openers of the utilities window, the common outer housing, the view
// options and the driver copy dialog.
#include "app/ui/main_window.h"
#include "app/ui/store_text.h"
#include "calculators/ui/calc_utils_window.h"

namespace tavrel {

void TMainForm::ShowCalculator(int page) {
    if (m_calcUtils == nullptr) {
        m_calcUtils = new TFormCalcUtils(FromStoreText(m_settings.DriverDir), this);
    }
    m_calcUtils->ShowPage(static_cast<TFormCalcUtils::Page>(page));
}

} // namespace tavrel
