#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnok {

// The one command that ends with carriage return and line feed; every other ends with CR.
inline constexpr std::string_view kMaxPrintLengthWord = "#UM>SL";

// The command word, the parameter (possibly empty) and the terminator.
std::string BuildSettingCommand(std::string_view word, std::string_view parameter = {});

// The whole part of the typed number (rounded toward minus infinity) plus the model's
// correction, as a whole number; nullopt when the text is not a number.
std::optional<std::string> FormatAdjustedValue(std::string_view field_text,
                                               std::int16_t correction);

// The printer takes the entered maximum print length with this offset added.
inline constexpr int kMaxPrintLengthOffset = 400;

// The whole part of the typed millimetres plus 400; nullopt when the text is not a number.
std::optional<std::string> FormatMaximumPrintLength(std::string_view field_text);

// The network card document's command words, in the order it holds them: address, mask,
// gateway, port.
inline constexpr std::array<std::string_view, 4> kNetworkWords = {"#UM>IA", "#UM>MK", "#UM>GT",
                                                                  "#UM>NP"};

// The network card document: address, mask, gateway (each four fields joined by ".", field
// texts unchanged) and port, always all four commands in this order.
std::string BuildNetworkCommands(std::span<const std::string, 4> address,
                                 std::span<const std::string, 4> mask,
                                 std::span<const std::string, 4> gateway, std::string_view port);

}  // namespace varnok
