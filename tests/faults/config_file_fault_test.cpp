// The program started on a config.ini that is empty, garbage, holds its language section twice,
// or cannot be used at all (among others, one far too large for a settings file): it starts in
// the language the file gives, and a language command changes no byte of the file outside the one
// line of the language value, or none of a file it cannot use.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <string_view>

#include "app/menu_captions_fixture.h"
#include "support/figures.h"
#include "support/ordinary_file_system_user.h"
#include "support/temp_folder.h"

namespace varnok::testing {
namespace {

constexpr const char* kStartUpSendFileCaption[] = {"发送文件至打印机", "Send File to Printer"};
constexpr const char* kSwitchedSendFileCaption[] = {"发送文件到打印机", "Send a File to Printer "};

const char* CaptionIn(const char* const (&captions)[2], Language language) {
  return captions[language == Language::Chinese ? 0 : 1];
}

// The most a language command may add: a language section with its value on a new line.
constexpr std::size_t kLargestAddition =
    std::string_view("\r\n[LANGUAGE]\r\nLG=CHINESE\r\n").size();

// Every byte outside one line stays: the two files differ in one stretch only, which in the old
// file lies within one line (or is empty, when lines were added) and in the new one is no more
// than a language section.
void ExpectOnlyOneLineChanged(std::string_view before, std::string_view after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t prefix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::string_view removed = before.substr(prefix, before.size() - prefix - suffix);
  const std::string_view added = after.substr(prefix, after.size() - prefix - suffix);
  EXPECT_EQ(removed.find_first_of("\r\n"), std::string_view::npos)
      << "bytes changed beyond one line, from offset " << prefix;
  EXPECT_LE(added.size(), kLargestAddition) << "added at offset " << prefix << ": " << added;
}

// Random bytes with every value, NULs and line ends included; a fixed seed repeats a failure.
std::string BinaryGarbage() {
  std::mt19937 generator(20240607);
  std::string bytes(64 * 1024, '\0');
  for (char& byte : bytes) byte = static_cast<char>(generator() & 0xFF);
  return bytes;
}

// Model sections in the shape of the shipped file up to 10 MiB, the language section last: ten
// times what a settings file may hold.
std::string TenMebibytes() {
  std::string bytes;
  for (int model = 0; bytes.size() < 10 * 1024 * 1024; ++model) {
    bytes += "[VARNOK M-" + std::to_string(model) +
             "]\r\nSD=0\r\nST=-8\r\nCD=12\r\nCT=0\r\nFD=4\r\nPD=0\r\nSP=3\r\n\r\n";
  }
  return bytes + "[LANGUAGE]\r\nLG=ENGLISH\r\n";
}

std::string EnglishSectionFirst() {
  return "[LANGUAGE]\r\nLG=ENGLISH\r\n\r\n[ENGLISH]\r\nFA_lblDescription=Label printers\r\n\r\n"
         "[LANGUAGE]\r\nLG=CHINESE\r\n";
}

std::string ChineseSectionFirst() {
  return "[LANGUAGE]\r\nLG=CHINESE\r\n[language]\r\nLG=ENGLISH\r\n";
}

struct ContentCase {
  const char* name;
  std::string (*bytes)();
  Language menus;      // captions at start-up
  const char* window;  // the configuration window at start-up
  friend void PrintTo(const ContentCase& c, std::ostream* os) { *os << c.name; }
};

class ConfigFileContentTest : public MenuCaptionsTest,
                              public ::testing::WithParamInterface<ContentCase> {};

TEST_P(ConfigFileContentTest, StartsAsTheFileSaysAndLanguageCommandsChangeOneLineOnly) {
  const ContentCase& c = GetParam();
  WriteBytes(config_path_, c.bytes());
  TimeAndGuard(std::string(c.name) + " start-up", [this] { Start(); });
  ExpectMenusIn(c.menus, CaptionIn(kStartUpSendFileCaption, c.menus));
  EXPECT_EQ(OpenWindows(), QStringList{c.window});

  const struct {
    const char* command;
    Language language;
    const char* value;
    const char* window;
  } switches[] = {{"English", Language::English, "ENGLISH", "Form3_en"},
                  {"Chinese", Language::Chinese, "CHINESE", "Form2"}};
  for (const auto& to : switches) {
    SCOPED_TRACE(to.command);
    const std::string before = ReadBytes(config_path_);
    const double peak_before = PeakResidentMebibytes();
    TimeAndGuard(std::string(c.name) + " switch to " + to.command, [&] { Choose(to.command); });
    ReportFigure(std::string(c.name) + " peak memory growth in the switch",
                 PeakResidentMebibytes() - peak_before, "MiB");
    ExpectOnlyOneLineChanged(before, ReadBytes(config_path_));
    EXPECT_EQ(StoredLanguage(), to.value);
    ExpectMenusIn(to.language, CaptionIn(kSwitchedSendFileCaption, to.language));
    EXPECT_EQ(OpenWindows(), QStringList{to.window});
  }
  ReportFigure(std::string(c.name) + " peak memory", PeakResidentMebibytes(), "MiB");
  EXPECT_TRUE(messages_.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Contents, ConfigFileContentTest,
    ::testing::Values(ContentCase{"Empty", [] { return std::string(); }, Language::Chinese,
                                  "Form3_en"},
                      ContentCase{"BinaryGarbage", BinaryGarbage, Language::Chinese, "Form3_en"},
                      ContentCase{"LanguageSectionTwiceEnglishFirst", EnglishSectionFirst,
                                  Language::English, "Form3_en"},
                      ContentCase{"LanguageSectionTwiceChineseFirst", ChineseSectionFirst,
                                  Language::Chinese, "Form2"}),
    ::testing::PrintToStringParamName());

constexpr std::string_view kEnglish = "[LANGUAGE]\r\nLG=ENGLISH\r\n";

// How each unusable config.ini is made; an unreadable one holds an English language value, so
// reading it after all would show.
struct UnusableCase {
  const char* name;
  void (*make)(const std::string& path);
  friend void PrintTo(const UnusableCase& c, std::ostream* os) { *os << c.name; }
};

class UnusableConfigFileTest : public MenuCaptionsTest,
                               public ::testing::WithParamInterface<UnusableCase> {};

TEST_P(UnusableConfigFileTest, ProgramStartsAsWithoutAFileAndTheFileStaysAsItWas) {
  const UnusableCase& c = GetParam();
  // The folder is open to all, so that only the file itself stands in the way.
  std::filesystem::permissions(folder_.path().toStdString(), std::filesystem::perms::all);
  c.make(config_path_);
  const auto type = std::filesystem::symlink_status(config_path_).type();
  const std::string before =
      type == std::filesystem::file_type::regular ? ReadBytes(config_path_) : "";
  {
    OrdinaryFileSystemUser user;
    TimeAndGuard(std::string(c.name) + " start-up", [this] { Start(); });
    ExpectMenusIn(Language::Chinese, CaptionIn(kStartUpSendFileCaption, Language::Chinese));
    EXPECT_EQ(OpenWindows(), QStringList{"Form3_en"});

    TimeAndGuard(std::string(c.name) + " switch to English", [this] { Choose("English"); });
    // The value read back is still none: the menus stay Chinese and the window the English one.
    ExpectMenusIn(Language::Chinese, CaptionIn(kSwitchedSendFileCaption, Language::Chinese));
    EXPECT_EQ(OpenWindows(), QStringList{"Form3_en"});
  }
  EXPECT_EQ(std::filesystem::symlink_status(config_path_).type(), type);
  if (type == std::filesystem::file_type::regular) {
    EXPECT_EQ(ReadBytes(config_path_), before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnusableConfigFileTest,
    ::testing::Values(
        UnusableCase{"Folder",
                     [](const std::string& path) { std::filesystem::create_directory(path); }},
        UnusableCase{"NoReadPermission",
                     [](const std::string& path) {
                       WriteBytes(path, kEnglish);
                       std::filesystem::permissions(path, std::filesystem::perms::none);
                     }},
        UnusableCase{"NamedPipe",
                     [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); }},
        UnusableCase{"LinkToItself",
                     [](const std::string& path) { std::filesystem::create_symlink(path, path); }},
        UnusableCase{"TenMebibytes",
                     [](const std::string& path) { WriteBytes(path, TenMebibytes()); }}),
    ::testing::PrintToStringParamName());

}  // namespace
}  // namespace varnok::testing
