#include "fleet/profile.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string_view>

#include "foundation/ascii_case.h"
#include "foundation/file_access.h"
#include "foundation/ini_lines.h"
#include "foundation/ini_lookup.h"
#include "foundation/utf8.h"

namespace varnok {
namespace {

enum class Section { None, Settings, Network };

constexpr std::array<std::string_view, 4> kNetworkKeys = {"address", "mask", "gateway", "port"};

// The [network] lines as given, each with its line number.
struct NetworkLines {
  std::size_t section_line = 0;  // the header's line; 0 when the file has no [network]
  std::size_t position = 0;      // where, among the settings, the network card's commands go
  std::array<std::optional<std::string>, 4> values;
  std::array<std::size_t, 4> lines{};
};

class ProfileReader {
 public:
  ProfileReader(const std::string& path, std::size_t queue_count)
      : path_(path), queue_count_(queue_count) {}

  Profile Read() {
    const ini::FileBytes file = ini::ReadFileBytes(path_);
    if (file.status != ini::ReadStatus::Ok) {
      throw ProfileError({.problem = file.status == ini::ReadStatus::Missing
                                         ? ProfileProblem::Missing
                                         : ProfileProblem::Unreadable,
                          .file = path_});
    }
    const std::string_view bytes = file.bytes;
    for (std::size_t at = ini::TextStart(bytes, ini::FileEncoding::Utf8); at < bytes.size();) {
      const ini::IniLine line = ini::ReadLine(bytes, at, ini::FileEncoding::Utf8);
      ++line_number_;
      ReadLine(bytes, line);
      at = line.end;
    }
    if (network_.section_line != 0) AddNetwork();
    if (profile_.settings.empty()) {
      throw ProfileError({.problem = ProfileProblem::Empty, .file = path_});
    }
    return std::move(profile_);
  }

 private:
  // What check() returns, or its refusal naming this line.
  template <typename Check>
  decltype(auto) Checked(const Check& check) const {
    try {
      return check();
    } catch (const SettingValueError& error) {
      Refuse({.problem = ProfileProblem::BadValue, .value = error.Fault()});
    }
  }

  void ReadLine(std::string_view bytes, const ini::IniLine& line) {
    const std::string_view content = bytes.substr(line.begin, line.content_end - line.begin);
    if (!ini::IsValidUtf8(content)) Refuse({.problem = ProfileProblem::NotUtf8});
    const std::string_view text = ini::TrimName(content);
    if (text.empty() || text.starts_with(';') || text.starts_with('#')) return;
    const auto span = [bytes](ini::Span part) { return bytes.substr(part.begin, part.size()); };
    switch (line.kind) {
      case ini::LineKind::Section:
        return OpenSection(span(line.name));
      case ini::LineKind::Key:
        return ReadEntry(span(line.name), span(line.value));
      case ini::LineKind::Other:
        break;
    }
    Refuse({.problem = ProfileProblem::NotAnEntry, .word = std::string(text)});
  }

  void OpenSection(std::string_view name) {
    const auto is = [name](std::string_view wanted) {
      return EqualIgnoringAsciiCase(name, wanted);
    };
    const Section section = is("settings")  ? Section::Settings
                            : is("network") ? Section::Network
                                            : Section::None;
    if (section == Section::None) {
      Refuse({.problem = ProfileProblem::UnknownSection, .word = std::string(name)});
    }
    std::size_t& first = section_lines_[section];
    if (first != 0) {
      Refuse({.problem = ProfileProblem::SectionTwice,
              .word = std::string(name),
              .first_line = first});
    }
    first = line_number_;
    section_ = section;
    if (section == Section::Network) {
      network_.section_line = line_number_;
      network_.position = profile_.settings.size();
    }
  }

  void ReadEntry(std::string_view name, std::string_view value) {
    switch (section_) {
      case Section::Settings:
        return ReadSetting(name, value);
      case Section::Network:
        return ReadNetworkValue(name, value);
      case Section::None:
        break;
    }
    Refuse({.problem = ProfileProblem::OutsideSection, .word = std::string(name)});
  }

  void ReadSetting(std::string_view name, std::string_view value) {
    const SettingName& item = Checked([&]() -> const SettingName& { return FindItem(name); });
    switch (FormOf(item)) {
      case ValueForm::None:
        Refuse({.problem = ProfileProblem::Reset, .word = std::string(item.name)});
      case ValueForm::Network:
        Refuse({.problem = ProfileProblem::NetworkInSettings});
      case ValueForm::Word:
        break;
    }
    FirstTime(item.id, item.name);
    profile_.settings.push_back({&item, Checked([&] { return SettingInputsFor(item, value); })});
  }

  void ReadNetworkValue(std::string_view name, std::string_view value) {
    const auto key = std::ranges::find_if(
        kNetworkKeys, [name](std::string_view k) { return EqualIgnoringAsciiCase(name, k); });
    if (key == kNetworkKeys.end()) {
      Refuse({.problem = ProfileProblem::NoNetworkKey, .word = std::string(name)});
    }
    const std::size_t index = static_cast<std::size_t>(key - kNetworkKeys.begin());
    if (network_.values[index]) {
      Refuse({.problem = ProfileProblem::GivenTwice,
              .word = std::string(*key),
              .first_line = network_.lines[index]});
    }
    const std::string spelt(*key);
    Checked([&] {
      if (*key == "port") {
        PortField(spelt, value);
      } else {
        AddressFields(spelt, value);
      }
    });
    network_.values[index] = std::string(value);
    network_.lines[index] = line_number_;
  }

  // The network card's values, checked as a whole at its section's line: all or none, and for
  // one printer only, as one address for several would make them clash.
  void AddNetwork() {
    line_number_ = network_.section_line;
    if (std::ranges::none_of(network_.values,
                             [](const auto& value) { return value.has_value(); })) {
      return;
    }
    if (queue_count_ > 1) {
      Refuse({.problem = ProfileProblem::NetworkForMany, .queue_count = queue_count_});
    }
    const SettingName& item = FindItem("network");
    FirstTime(item.id, item.name);
    const auto address = [&](std::size_t index) {
      const std::string spelt = std::string(kNetworkKeys[index]) + " =";
      if (!network_.values[index]) {
        Refuse({.problem = ProfileProblem::NetworkNeeds, .word = spelt});
      }
      return AddressFields(kNetworkKeys[index], *network_.values[index]);
    };
    ProfileSetting setting{&item, SettingInputsFor(item, "")};
    PutNetworkFields({address(0), address(1), address(2),
                      PortField("port", network_.values[3].value_or(std::string(kDefaultPort)))},
                     setting.inputs);
    profile_.settings.insert(
        profile_.settings.begin() + static_cast<std::ptrdiff_t>(network_.position),
        std::move(setting));
  }

  // A setting given twice is a mistake whichever of the two was meant.
  void FirstTime(ItemId id, std::string_view name) {
    const auto [first, added] = setting_lines_.try_emplace(id, line_number_);
    if (!added) {
      Refuse({.problem = ProfileProblem::GivenTwice,
              .word = std::string(name),
              .first_line = first->second});
    }
  }

  // Refuses the profile at this line.
  [[noreturn]] void Refuse(ProfileFault fault) const {
    fault.file = path_;
    fault.line = line_number_;
    throw ProfileError(std::move(fault));
  }

  const std::string& path_;
  const std::size_t queue_count_;
  std::size_t line_number_ = 0;
  Section section_ = Section::None;
  std::map<Section, std::size_t> section_lines_;
  std::map<ItemId, std::size_t> setting_lines_;
  NetworkLines network_;
  Profile profile_;
};

}  // namespace

Profile ReadProfile(const std::string& path, std::size_t queue_count) {
  return ProfileReader(path, queue_count).Read();
}

}  // namespace varnok
