#include "app/terms.h"

#include <chrono>

#include "foundation/my_ini_file.h"

namespace tavrel {

namespace {

constexpr const char* Section = "Update";
constexpr int ReminderDays = 184;

std::chrono::sys_days daysOf(Date date) {
    return std::chrono::year_month_day{std::chrono::year{date.year},
                                       std::chrono::month{static_cast<unsigned>(date.month)},
                                       std::chrono::day{static_cast<unsigned>(date.day)}};
}

} // namespace

int DaysBetween(Date from, Date to) {
    return static_cast<int>((daysOf(to) - daysOf(from)).count());
}

TermsStep CheckTerms(const std::string& settingsPath, const std::string& version, Date today) {
    TMyIniFile store(settingsPath, false, true, true);
    if (store.ReadString(Section, "version", "") != version) {
        store.Close();
        return TermsStep::AskTerms;
    }
    const DateResult lastInfo = TextToDate(store.ReadString(Section, "LastInfo", DateToText(today)));
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
