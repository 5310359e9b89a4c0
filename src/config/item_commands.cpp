#include "config/item_commands.h"

#include <algorithm>

namespace varnok {
namespace {

using enum ParameterSource;

constexpr std::array<ParameterSource, 2> Both(ParameterSource source) { return {source, source}; }

constexpr ItemCommand kItemCommands[] = {
    {ItemId::VerticalReflective, "#UM>SD", {}, Both(AdjustedValue), "SD", true, Notice::Completion},
    {ItemId::VerticalTransmissive,
     "#UM>ST",
     {},
     Both(AdjustedValue),
     "ST",
     true,
     Notice::Completion},
    {ItemId::MaxPrintLength, "#UM>SL", {}, Both(MaximumPrintLength), {}, false, Notice::Completion},
    {ItemId::CutPosition, "#UM>CD", {}, Both(AdjustedValue), "CD", true, Notice::Completion},
    {ItemId::PagesPerCut, "#UM>CP", {}, Both(TrimmedFieldText), {}, false, Notice::CutCount},
    {ItemId::BladeStop, "#UM>CT", {}, Both(AdjustedValue), "CT", true, Notice::Completion},
    {ItemId::TearOff, "#UM>FD", {}, Both(AdjustedValue), "FD", true, Notice::Completion},
    {ItemId::SensorSensitivity, "#UM>DL", {}, Both(FieldText), {}, true, Notice::Completion},
    // The English window sends the precision relative to the model's factory setting.
    {ItemId::SensorPrecision,
     "#UM>SP",
     {},
     {FieldText, AdjustedValue},
     "SP",
     true,
     Notice::Completion},
    {ItemId::Network, {}, {}, Both(Network), {}, false, Notice::Completion},
    {ItemId::Orientation, "#UM>DI0", "#UM>DI1", Both(Choice), {}, false, Notice::Completion},
    {ItemId::SelfTestLanguage, "#UM>PLC", "#UM>PLE", Both(Choice), {}, false, Notice::Completion},
    {ItemId::PeelPosition, "#UM>PD", {}, Both(AdjustedValue), "PD", true, Notice::Completion},
    {ItemId::UserReset, "^@", {}, Both(None), {}, false, Notice::UserReset},
    {ItemId::AdvancedReset, "#UM>IF", {}, Both(None), {}, false, Notice::Completion},
};

}  // namespace

const ItemCommand& CommandOfItem(ItemId id) {
  return *std::ranges::find(kItemCommands, id, &ItemCommand::id);
}

}  // namespace varnok
