#include "printer_settings/setting_names.h"

#include <algorithm>

namespace varnok {
namespace {

constexpr SettingName kSettingNames[] = {
    {"vertical-reflective", ItemId::VerticalReflective, {}, "print position, reflective sensing"},
    {"vertical-transmissive",
     ItemId::VerticalTransmissive,
     {},
     "print position, transmissive sensing"},
    {"max-print-length", ItemId::MaxPrintLength, {}, "maximum print length"},
    {"cut-position", ItemId::CutPosition, {}, "cutter's cutting position"},
    {"pages-per-cut", ItemId::PagesPerCut, {}, "labels per cut"},
    {"blade-stop", ItemId::BladeStop, {}, "cutter blade's stop position (ms)"},
    {"tear-off", ItemId::TearOff, {}, "back-feed tear-off position"},
    {"sensor-sensitivity", ItemId::SensorSensitivity, {}, "media sensor's sensitivity"},
    {"sensor-precision", ItemId::SensorPrecision, {}, "media sensor's precision"},
    {"network", ItemId::Network, {}, "network card's address, mask, gateway and port"},
    {"orientation", ItemId::Orientation, {"bottom-to-top", "top-to-bottom"}, "print direction"},
    {"self-test-language",
     ItemId::SelfTestLanguage,
     {"chinese", "english"},
     "self-test report's language"},
    {"peel-position", ItemId::PeelPosition, {}, "peeler's peeling position"},
    {"reset-user", ItemId::UserReset, {}, "user-level reset"},
    {"reset-advanced", ItemId::AdvancedReset, {}, "advanced reset of every parameter"},
};

}  // namespace

std::span<const SettingName> SettingNames() { return kSettingNames; }

const SettingName& NameOfItem(ItemId id) {
  return *std::ranges::find(kSettingNames, id, &SettingName::id);
}

}  // namespace varnok
