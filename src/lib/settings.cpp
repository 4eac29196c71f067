#include "lib/settings.h"

#include "lib/failure.h"
#include "lib/numbers.h"
#include "lib/platform.h"

namespace tes {

namespace {

void ReportFailure(Platform& platform, int number, const std::string& description) {
    platform.showMessage("Unexpected error in GetRegStr \n\n" + SignPadded(number) + " - " + description);
}

} // namespace

std::string GetRegStr(Platform& platform, const std::string& keyPath, const std::string& valueName) {
    try {
        return platform.readSetting(keyPath, valueName);
    } catch (const Failure& failure) {
        ReportFailure(platform, failure.number(), failure.description());
    } catch (const std::bad_alloc&) {
        const Failure failure = failures::outOfMemory();
        ReportFailure(platform, failure.number(), failure.description());
    } catch (const std::exception&) {
        const Failure failure = failures::pathFileAccessError();
        ReportFailure(platform, failure.number(), failure.description());
    }
    return {};
}

void SetRegStr(Platform& platform, const std::string& valueName, const std::string& value,
               const std::string& keyPath) {
    try {
        platform.writeSetting(keyPath, valueName, value);
    } catch (...) {
        // A settings store that cannot be written loses the value; the program goes on.
    }
}

std::string SettingsKeyPath(const std::string& appTitle) {
    return "Software\\" + appTitle;
}

} // namespace tes
