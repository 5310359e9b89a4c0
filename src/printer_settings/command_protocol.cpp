#include "printer_settings/command_protocol.h"

#include "printer_settings/decimal_number.h"

namespace varnok {
namespace {

std::optional<std::string> FormatWholePartPlus(std::string_view field_text, int addend) {
  const std::optional<DecimalNumber> number = ReadDecimalNumber(field_text);
  if (!number) return std::nullopt;
  return FloorPlus(*number, addend);
}

std::string DottedAddress(std::span<const std::string, 4> fields) {
  return fields[0] + "." + fields[1] + "." + fields[2] + "." + fields[3];
}

}  // namespace

std::string BuildSettingCommand(std::string_view word, std::string_view parameter) {
  std::string command(word);
  command += parameter;
  command += word == kMaxPrintLengthWord ? "\r\n" : "\r";
  return command;
}

std::optional<std::string> FormatAdjustedValue(std::string_view field_text,
                                               std::int16_t correction) {
  return FormatWholePartPlus(field_text, correction);
}

std::optional<std::string> FormatMaximumPrintLength(std::string_view field_text) {
  return FormatWholePartPlus(field_text, kMaxPrintLengthOffset);
}

std::string BuildNetworkCommands(std::span<const std::string, 4> address,
                                 std::span<const std::string, 4> mask,
                                 std::span<const std::string, 4> gateway, std::string_view port) {
  return BuildSettingCommand(kNetworkWords[0], DottedAddress(address)) +
         BuildSettingCommand(kNetworkWords[1], DottedAddress(mask)) +
         BuildSettingCommand(kNetworkWords[2], DottedAddress(gateway)) +
         BuildSettingCommand(kNetworkWords[3], port);
}

}  // namespace varnok
