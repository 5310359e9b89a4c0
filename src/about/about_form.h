#pragma once

#include <QWidget>
#include <memory>
#include <string>

class QPushButton;

namespace varnok {

class ProgramLauncher;
class UserMessages;

// The About window "frmAbout": product name and version, two texts from the settings file in
// the current language, OK, and SYSTEM, which starts a system-information program.
class AboutForm : public QWidget {
  Q_OBJECT

 public:
  explicit AboutForm(std::string config_path, QWidget* parent = nullptr);
  // Starts programs through launcher and tells the user through messages (tests use fakes).
  AboutForm(std::string config_path, ProgramLauncher& launcher, UserMessages& messages,
            QWidget* parent = nullptr);
  ~AboutForm() override;

 private:
  void Form_Load(const std::string& config_path);
  void cmdOK_Click();
  void cmdSysInfo_Click();

  std::unique_ptr<ProgramLauncher> own_launcher_;
  std::unique_ptr<UserMessages> own_messages_;
  ProgramLauncher& launcher_;
  UserMessages& messages_;
};

}  // namespace varnok
