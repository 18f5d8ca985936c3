#include "support/regional_settings.h"

#include "platform/platform.h"

namespace kavu32 {

namespace {

RegionalSettings& SettingsInForce() {
  static RegionalSettings settings = platform::ReadRegionalSettings();
  return settings;
}

}  // namespace

const RegionalSettings& Regional() { return SettingsInForce(); }

void SetRegionalForTesting(const RegionalSettings& settings) { SettingsInForce() = settings; }

}  // namespace kavu32
