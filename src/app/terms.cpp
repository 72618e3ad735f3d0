#include "app/terms.h"

#include "foundation/my_ini_file.h"

namespace tavrel {

namespace {

constexpr const char* Section = "Update";
constexpr int ReminderDays = 184;

} // namespace

TermsStep CheckTerms(const std::string& settingsPath, const std::string& version, Date today) {
    TMyIniFile store(settingsPath, false, true, true);
    if (store.ReadString(Section, "version", "") != version) {
        store.Close();
        return TermsStep::AskTerms;
    }
    const DateResult lastInfo =
        TextToDate(store.ReadString(Section, "LastInfo", DateToText(today)));
    const Date last = lastInfo.valid ? lastInfo.date : today;
    if (DaysBetween(last, today) < ReminderDays) {
        store.Close();
        return TermsStep::None;
    }
    store.WriteString(Section, "LastInfo", DateToText(today));
    store.Close();
    return TermsStep::ShowReminder;
}

std::string RecordTermsAnswer(const std::string& settingsPath, const std::string& version,
                              bool accepted, Date today) {
    TMyIniFile store(settingsPath, false, true, true);
    if (accepted) {
        store.WriteString(Section, "LastInfo", DateToText(today));
    }
    store.WriteString(Section, "version", accepted ? version : std::string());
    const StoreCloseResult closed = store.Close();
    return closed.ok ? std::string() : closed.error;
}

} // namespace tavrel
