#include "about/about_form.h"

#include <utility>

#include "app/twips.h"

namespace varnok {

AboutForm::AboutForm(std::string /*config_path*/, QWidget* parent) : QWidget(parent) {
  setObjectName("frmAbout");
  setWindowTitle("About VarnoK Utility");
  setFixedSize(TwipsSize(this, 5850, 5040));
}

AboutForm::AboutForm(std::string config_path, ProgramLauncher& /*launcher*/,
                     UserMessages& /*messages*/, QWidget* parent)
    : AboutForm(std::move(config_path), parent) {}

AboutForm::~AboutForm() = default;

}  // namespace varnok
