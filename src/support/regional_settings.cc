#include "support/regional_settings.h"

namespace kavu32 {

namespace {

RegionalSettings& SettingsInForce() {
  static RegionalSettings settings;
  return settings;
}

}  // namespace

const RegionalSettings& Regional() { return SettingsInForce(); }

void SetRegional(const RegionalSettings& settings) { SettingsInForce() = settings; }

}  // namespace kavu32
