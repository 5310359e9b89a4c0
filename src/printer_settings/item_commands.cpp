#include "printer_settings/item_commands.h"

#include <algorithm>

namespace varnok {
namespace {

using enum ParameterSource;

constexpr std::array<ParameterSource, 2> Both(ParameterSource source) { return {source, source}; }

// A value item of both windows whose number is sent with the model's correction added.
constexpr ItemCommand Corrected(ItemId id, std::string_view word, std::string_view correction_key,
                                ValueRange values) {
  return {id, word, {}, Both(AdjustedValue), correction_key, true, Notice::Completion, values};
}

// A value item sent as typed.
constexpr ItemCommand AsTyped(ItemId id, std::string_view word, ParameterSource source,
                              bool model_tested, Notice notice, ValueRange values) {
  return {id, word, {}, Both(source), {}, model_tested, notice, values};
}

constexpr ValueRange kDots{-99, 99};
// "0 ～ 允许最大值": the printer's own maximum is not known to the program; 9999 mm stands for it,
// far above any label printer's, so that a longer value is taken for a typing error.
constexpr ValueRange kMillimetres{0, 9999};

constexpr ItemCommand kItemCommands[] = {
    Corrected(ItemId::VerticalReflective, "#UM>SD", "SD", kDots),
    Corrected(ItemId::VerticalTransmissive, "#UM>ST", "ST", kDots),
    AsTyped(ItemId::MaxPrintLength, "#UM>SL", MaximumPrintLength, false, Notice::Completion,
            kMillimetres),
    Corrected(ItemId::CutPosition, "#UM>CD", "CD", kDots),
    AsTyped(ItemId::PagesPerCut, "#UM>CP", TrimmedFieldText, false, Notice::CutCount, {1, 50}),
    Corrected(ItemId::BladeStop, "#UM>CT", "CT", {-20, 20}),
    Corrected(ItemId::TearOff, "#UM>FD", "FD", kDots),
    AsTyped(ItemId::SensorSensitivity, "#UM>DL", FieldText, true, Notice::Completion, {1, 24}),
    // The English window sends the precision relative to the model's factory setting.
    {ItemId::SensorPrecision,
     "#UM>SP",
     {},
     {FieldText, AdjustedValue},
     "SP",
     true,
     Notice::Completion,
     ValueRange{1, 99}},
    {ItemId::Network, {}, {}, Both(Network), {}, false, Notice::Completion},
    {ItemId::Orientation, "#UM>DI0", "#UM>DI1", Both(Choice), {}, false, Notice::Completion},
    {ItemId::SelfTestLanguage, "#UM>PLC", "#UM>PLE", Both(Choice), {}, false, Notice::Completion},
    Corrected(ItemId::PeelPosition, "#UM>PD", "PD", kDots),
    {ItemId::UserReset, "^@", {}, Both(None), {}, false, Notice::UserReset},
    {ItemId::AdvancedReset, "#UM>IF", {}, Both(None), {}, false, Notice::Completion},
};

}  // namespace

const ItemCommand& CommandOfItem(ItemId id) {
  return *std::ranges::find(kItemCommands, id, &ItemCommand::id);
}

}  // namespace varnok
