#include "TimeDateCommands.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "Billing.h"
#include "Holidays.h"
#include "InputError.h"
#include "engine/CalculatorModel.h"
#include "engine/CommandTable.h"
#include "engine/UserFeedback.h"

namespace zorv::timedate {

namespace {

const std::string kTitle = "Time/Date Calculations";

int yearSetting(const TimeDateEnvironment& env, const char* key, int fallback) {
    const std::string text = env.readSetting ? env.readSetting(key, std::to_string(fallback)) : std::string();
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || end == text.c_str()) return fallback;
    // "2400.0" or "1500 " as a hand-edited file may have it.
    return v < 1 || v > 9999 ? fallback : static_cast<int>(v);
}

bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// The readout as a duration text: "1.5." loses the decimal symbol a whole
// number carries.
std::string readoutAsDuration(const engine::CalculatorModel& model) {
    std::string text = model.readout();
    const std::string& ds = model.decimalSymbol();
    while (!text.empty() && text.front() == ' ') text.erase(0, 1);
    if (!ds.empty() && text.size() > ds.size() && text.compare(text.size() - ds.size(), ds.size(), ds) == 0)
        text.erase(text.size() - ds.size());
    return text;
}

}  // namespace

Date todayOn(const Clock& clock) {
    const Instant now = clock();
    const long long local = now.utcSeconds + now.offsetSeconds;
    long long days = local / 86400;
    if (local % 86400 < 0) --days;
    return Date::fromDayNumber(days);
}

TimeDateService::TimeDateService(engine::CalculatorModel& model, TimeDateEnvironment environment)
    : model_(model), env_(std::move(environment)), timer_(env_.clock) {
    restoreTimer();
}

void TimeDateService::report(const std::string& message) const {
    model_.feedback().showMessage(message, kTitle, engine::MessageIcon::Exclamation);
}

engine::Currency TimeDateService::rate() const {
    const std::string def = defaultRateText(model_.symbols());
    const std::string text = env_.readSetting ? env_.readSetting(std::string(kBillingRateKey), def) : def;
    return rateFromSetting(text, model_.symbols());
}

TimeDateSettings TimeDateService::settings(bool includeEndDate, std::string* holidayNote) const {
    TimeDateSettings s;
    s.years = YearRange{yearSetting(env_, "Start Year", 1500), yearSetting(env_, "End Year", 2400)}.sanitized();
    s.dateFormat = env_.datePattern.empty() ? DateFormat() : DateFormat(env_.datePattern);
    s.symbols = model_.symbols();
    s.includeEndDate = includeEndDate;
    s.rate = rate();
    s.defaultDuration = readoutDuration();
    if (!env_.dataFolder.empty()) {
        const std::filesystem::path file = std::filesystem::path(env_.dataFolder) / std::string(kHolidayFileName);
        try {
            s.holidays = HolidayList::readFile(file, s.years);
            if (holidayNote) *holidayNote = s.holidays.skippedReport();
        } catch (const InputError& e) {
            if (holidayNote) *holidayNote = e.what();
        }
    }
    return s;
}

// The readout drops a leading zero as digits follow, so "0:45" shows as 45:
// hours of 0 leave no digits in front of the minutes.
static std::string hoursPrefix(const std::string& hours) { return hours == "0" ? std::string() : hours; }

bool TimeDateService::markApplies(const std::string& digits) const {
    if (!mark_ || mark_->numOps != model_.numOps() || mark_->tapeSize != model_.tape().size()) return false;
    const std::string prefix = hoursPrefix(mark_->hours) + mark_->minutes.value_or("");
    return model_.entryState() == engine::EntryState::Number && allDigits(digits) && digits.size() >= prefix.size() &&
           digits.compare(0, prefix.size(), prefix) == 0;
}

std::string TimeDateService::readoutDuration() const {
    const std::string digits = readoutAsDuration(model_);
    if (!markApplies(digits)) return digits;
    const std::string hours = hoursPrefix(mark_->hours);
    // "0:05" keeps only the 5: what follows hours of 0 is padded back.
    auto padded = [&](std::string part) {
        if (hours.empty() && part.size() < 2) part.insert(0, 2 - part.size(), '0');
        return part;
    };
    if (!mark_->minutes) return mark_->hours + ":" + padded(digits.substr(hours.size()));
    return mark_->hours + ":" + padded(*mark_->minutes) + ":" + digits.substr(hours.size() + mark_->minutes->size());
}

bool TimeDateService::typedColon() {
    const std::string digits = readoutAsDuration(model_);
    if (markApplies(digits) && !mark_->minutes) {
        // The second ":" ends the minutes: h:mm:ss.
        mark_->minutes = digits.substr(hoursPrefix(mark_->hours).size());
        return true;
    }
    mark_.reset();
    if (model_.entryState() != engine::EntryState::Number || !allDigits(digits)) {
        model_.feedback().beep();
        return true;
    }
    mark_ = TimeMark{digits, std::nullopt, model_.numOps(), model_.tape().size()};
    return true;
}

void TimeDateService::sendToCalculator(const TimeDateOutcome& outcome) {
    if (!outcome.ok) return;
    if (outcome.readout) {
        model_.setEntryState(engine::EntryState::Number);
        model_.setReadout(model_.toText(*outcome.readout));
        model_.normalizeReadout();
        model_.markFreshResult();
    }
    for (const std::string& line : outcome.tapeLines) model_.postToTape(line);
    model_.notify();
}

void TimeDateService::runAsked() {
    std::string names;
    for (std::string_view n : timeDateOperationNames()) names += (names.empty() ? "" : ", ") + std::string(n);
    engine::UserFeedback& fb = model_.feedback();
    const std::optional<std::string> op = fb.askText("Calculation (" + names + ")", kTitle, "");
    if (!op) return;
    std::string note;
    const TimeDateSettings s = settings(false, &note);
    // Only working days read the holidays; a damaged file is said then.
    std::string lowered;
    for (char c : *op) lowered += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!note.empty() && lowered.find("work") != std::string::npos) report(note);
    const AskFunction ask = [&fb](const std::string& prompt, const std::string& def) -> std::optional<std::string> {
        std::optional<std::string> answer = fb.askText(prompt, kTitle, def);
        // With no answer left (batch mode) a question with a default, such as
        // the time to bill defaulting to the readout, takes the default.
        if (!answer && !def.empty()) return def;
        return answer;
    };
    const TimeDateOutcome outcome = runTimeDateOperation(s, *op, ask);
    if (!outcome.message.empty()) {
        report(outcome.message);
        return;
    }
    sendToCalculator(outcome);
}

std::optional<std::string> TimeDateService::setBillingRate(std::string_view text) {
    try {
        const engine::Currency r = parseRate(text, model_.symbols());
        if (env_.writeSetting) env_.writeSetting(std::string(kBillingRateKey), rateText(r, model_.decimalSymbol()));
        return std::nullopt;
    } catch (const InputError& e) {
        return std::string(e.what()) + " The rate stays " + rateText(rate(), model_.decimalSymbol()) + ".";
    }
}

void TimeDateService::askBillingRate() {
    const std::string current = rateText(rate(), model_.decimalSymbol());
    const std::optional<std::string> answer =
        model_.feedback().askText("Hourly billing rate", "Billing Rate", current);
    if (!answer) return;
    if (auto refused = setBillingRate(*answer))
        model_.feedback().showMessage(*refused, "Billing Rate", engine::MessageIcon::Exclamation);
}

void TimeDateService::restoreTimer() {
    const std::string kept = env_.readSetting ? env_.readSetting(std::string(kTimerStartKey), "") : std::string();
    try {
        timer_.restore(kept);
    } catch (const InputError& e) {
        if (env_.writeSetting) env_.writeSetting(std::string(kTimerStartKey), "");
        report(e.what());
    }
}

void TimeDateService::toggleTimer() {
    // The settings are the timer's record: another copy of the program (a
    // batch run) may have started or stopped it since.
    restoreTimer();
    if (!timer_.running()) {
        timer_.startNow();
        if (env_.writeSetting) env_.writeSetting(std::string(kTimerStartKey), timer_.settingText());
        if (onTimerChanged) onTimerChanged();
        return;
    }
    const std::optional<Instant> start = timer_.start();
    ProjectTimer::StopRecord record;
    try {
        record = timer_.stop(rate(), model_.decimalSymbol());
    } catch (const InputError& e) {
        report(e.what());
        return;
    }
    if (record.overADay) {
        const engine::MessageResult keep = model_.feedback().showMessage(
            "The project timer has run for " + record.elapsed.textWithSeconds(model_.decimalSymbol()) +
                ", since " + localText(record.start) +
                ".\nKeep and bill all of that time?\n(No: stop without billing. Cancel: keep the timer running.)",
            "Start/Stop Project Timer", engine::MessageIcon::Question, engine::MessageButtons::YesNoCancel,
            engine::MessageResult::Cancel);
        if (keep == engine::MessageResult::Cancel) {
            timer_.restore(isoInstantText(*start));
            return;
        }
        if (keep == engine::MessageResult::No) {
            if (env_.writeSetting) env_.writeSetting(std::string(kTimerStartKey), "");
            model_.postToTape("Timer " + localText(record.start) + " to " + localText(record.stop) +
                              " discarded, not billed");
            model_.notify();
            if (onTimerChanged) onTimerChanged();
            return;
        }
    }
    if (env_.writeSetting) env_.writeSetting(std::string(kTimerStartKey), "");
    model_.setEntryState(engine::EntryState::Number);
    model_.setReadout(model_.toText(record.amount.toDecimal().round(2, engine::Rounding::HalfAwayFromZero)));
    model_.normalizeReadout();
    model_.markFreshResult();
    model_.postToTape(record.tapeLine);
    model_.notify();
    if (onTimerChanged) onTimerChanged();
}

void registerTimeDateCommands(engine::CalculatorModel& model, TimeDateService& service, engine::Front front) {
    model.otherKey = [&service, previous = model.otherKey](std::string_view ch) {
        if (ch == ":") return service.typedColon();
        return previous && previous(ch);
    };
    if (front == engine::Front::Batch)
        model.commands().add(engine::CommandId::TimeDateCalculations, [&service] { service.runAsked(); });
    model.commands().add(engine::CommandId::BillingRate, [&service] { service.askBillingRate(); });
    model.commands().add(
        engine::CommandId::ProjectTimer, [&service] { service.toggleTimer(); },
        [&service] { return service.timerRunning(); });
}

}  // namespace zorv::timedate
