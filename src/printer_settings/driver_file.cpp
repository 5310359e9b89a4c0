#include "printer_settings/driver_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

#include "foundation/file_text.h"

namespace varnok {
namespace {

struct LabelSize {
  std::string_view name;  // the standard PPD name of the size, printable to the edges
  std::string_view text;
  std::string_view width;  // in points, across the printer
  std::string_view length;
};

// The first is the default.
constexpr std::array<LabelSize, 8> kLabelSizes{{
    {"4x6.Fullbleed", "4 x 6 in", "288", "432"},
    {"4x4.Fullbleed", "4 x 4 in", "288", "288"},
    {"3x4Rotated.Fullbleed", "4 x 3 in", "288", "216"},
    {"2x4Rotated.Fullbleed", "4 x 2 in", "288", "144"},
    {"1x2Rotated.Fullbleed", "2 x 1 in", "144", "72"},
    {"100x150mm.Fullbleed", "100 x 150 mm", "283.46", "425.2"},
    {"40x60mmRotated.Fullbleed", "60 x 40 mm", "170.08", "113.39"},
    {"30x50mmRotated.Fullbleed", "50 x 30 mm", "141.73", "85.04"},
}};

// CUPS keeps printer-make-and-model to this many bytes (IPP text), and a PPD line to 255.
constexpr std::size_t kNickNameMaxBytes = 127;
constexpr std::size_t kShortNickNameMaxBytes = 31;

// The model as a quoted PPD value may hold it: no '"' or line breaks, at most 127 bytes, never
// cut inside a UTF-8 character.
std::string NickName(std::string_view model) {
  std::string nick(model);
  for (char& c : nick) {
    if (c == '"') {
      c = '\'';
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      c = ' ';
    }
  }
  return std::string(ini::CutText(nick, kNickNameMaxBytes, ini::FileEncoding::Utf8));
}

std::string PpdModelName(std::string_view nick) {
  std::string name;
  std::ranges::copy_if(nick, std::back_inserter(name), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           std::string_view(" ./-+").find(c) != std::string_view::npos;
  });
  return name;
}

// An 8.3 name from the model's 32-bit FNV-1a hash: one per model, as PPD expects.
std::string PcFileName(std::string_view model) {
  std::uint32_t hash = 2166136261U;
  for (const char c : model) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619U;
  std::array<char, 13> name{};
  std::snprintf(name.data(), name.size(), "%08X.PPD", static_cast<unsigned>(hash));
  return name.data();
}

std::string QuotedLine(std::string_view keyword, std::string_view value) {
  return "*" + std::string(keyword) + ": \"" + std::string(value) + "\"\n";
}

// One line per label size: "*KEYWORD NAME/TEXT: "PREFIX WIDTH LENGTH SUFFIX"".
std::string SizeLines(std::string_view keyword, std::string_view prefix, std::string_view suffix) {
  std::string lines;
  for (const LabelSize& size : kLabelSizes) {
    lines.append("*").append(keyword).append(" ").append(size.name).append("/").append(size.text);
    lines.append(": \"").append(prefix).append(size.width).append(" ").append(size.length);
    lines.append(suffix).append("\"\n");
  }
  return lines;
}

std::string SizeUi(std::string_view keyword) {
  const std::string key(keyword);
  return "*OpenUI *" + key + "/Media Size: PickOne\n*OrderDependency: 10 AnySetup *" + key +
         "\n*Default" + key + ": " + std::string(kLabelSizes[0].name) + "\n" +
         SizeLines(key, "<</PageSize[", "]/ImagingBBox null>>setpagedevice") + "*CloseUI: *" + key +
         "\n";
}

}  // namespace

std::string DriverFileText(std::string_view model) {
  const std::string nick = NickName(model);
  const std::string model_name = PpdModelName(nick);
  const bool ascii = std::ranges::all_of(nick, [](char c) { return (c & 0x80) == 0; });
  const std::string default_size(kLabelSizes[0].name);
  std::string text =
      "*PPD-Adobe: \"4.3\"\n"
      "*FormatVersion: \"4.3\"\n"
      "*FileVersion: \"1.0\"\n"
      "*LanguageVersion: English\n";
  text.append("*LanguageEncoding: ").append(ascii ? "ISOLatin1" : "UTF-8").append("\n");
  text += QuotedLine("PCFileName", PcFileName(model));
  text += QuotedLine("Manufacturer", "VARNOK");
  text += QuotedLine("Product", "(" + model_name + ")");
  text += QuotedLine("ModelName", model_name);
  text += QuotedLine("ShortNickName",
                     ini::CutText(nick, kShortNickNameMaxBytes, ini::FileEncoding::Utf8));
  text += QuotedLine("NickName", nick);
  text +=
      "*PSVersion: \"(3010.000) 0\"\n"
      "*LanguageLevel: \"3\"\n"
      "*ColorDevice: False\n"
      "*DefaultColorSpace: Gray\n"
      "*FileSystem: False\n"
      "*Throughput: \"1\"\n"
      "*cupsVersion: 2.4\n"
      // The printer takes its own command language: every job goes to it unchanged, also one
      // that arrives typed as text or as bytes (`lp` without -o raw, the Windows spooler).
      "*cupsFilter2: \"application/vnd.cups-raw application/octet-stream 0 -\"\n"
      "*cupsFilter2: \"text/plain application/octet-stream 0 -\"\n"
      "*cupsFilter2: \"application/octet-stream application/octet-stream 0 -\"\n";
  text += SizeUi("PageSize") + SizeUi("PageRegion");
  text += "*DefaultImageableArea: " + default_size + "\n" + SizeLines("ImageableArea", "0 0 ", "");
  text += "*DefaultPaperDimension: " + default_size + "\n" + SizeLines("PaperDimension", "", "");
  return text;
}

}  // namespace varnok
