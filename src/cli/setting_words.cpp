#include "cli/setting_words.h"

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "foundation/message_template.h"

namespace varnok::cli {

SettingWords ReadSettingWords(const std::vector<std::string>& words, const NetworkOptions& network,
                              Language language) {
  const CliTexts& texts = CliTextsIn(language);
  SettingWords setting;
  setting.item = &FindItem(words.front());
  const SettingName& name = *setting.item;
  const ValueForm form = FormOf(name);
  if (form == ValueForm::Word && words.size() < 2) {
    throw UsageError(FillIn(texts.needs_value, {{"setting", name.name}}));
  }
  setting.inputs = SettingInputsFor(name, form == ValueForm::Word ? words[1] : "");
  const bool network_given = network.address || network.mask || network.gateway || network.port;
  if (form == ValueForm::Network) {
    const auto address = [&](std::string_view option, const std::optional<std::string>& text) {
      const std::string spelt = "--" + std::string(option);
      if (!text) throw UsageError(FillIn(texts.network_needs, {{"option", spelt}}));
      return AddressFields(spelt, *text);
    };
    PutNetworkFields({address("address", network.address), address("mask", network.mask),
                      address("gateway", network.gateway),
                      PortField("--port", network.port.value_or(std::string(kDefaultPort)))},
                     setting.inputs);
  } else if (network_given) {
    throw UsageError(std::string(texts.network_options_only));
  }

  setting.queues.assign(words.begin() + (form == ValueForm::Word ? 2 : 1), words.end());
  if (setting.queues.empty()) {
    throw UsageError(FillIn(texts.no_queue_given, {{"setting", name.name}}));
  }
  return setting;
}

}  // namespace varnok::cli
