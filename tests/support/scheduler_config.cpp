#include "support/scheduler_config.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>

#include "printer_settings/driver_file.h"
#include "support/scheduler_programs.h"

namespace varnok::testing {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  if (!file.flush()) throw std::runtime_error("cannot write " + path.string());
}

std::string GroupName(gid_t gid) {
  const group* entry = getgrgid(gid);
  return entry != nullptr ? entry->gr_name : std::to_string(gid);
}

// cupsd refuses to run its helpers as root; as a normal user it runs them as that user, who
// then also administers the private queues.
std::string AccountLines() {
  if (getuid() == 0) return "User lp\nGroup lp\nSystemGroup root lpadmin\n";
  return "SystemGroup " + GroupName(getgid()) + "\n";
}

// Everybody may do everything.
constexpr const char* kOpenPolicy = R"(<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
)";

// Debian's default locations and policy (/usr/share/cups/cupsd.conf.default), but job titles
// and subscriptions stay readable by everybody. Root and the SystemGroup administer through the
// local socket without a password (PeerCred), which cupsd only accepts for a resource that
// has a Location.
constexpr const char* kDefaultPolicy = R"(DefaultAuthType Basic
<Location />
  Order allow,deny
</Location>
<Location /admin>
  Order allow,deny
</Location>
<Location /admin/conf>
  AuthType Default
  Require user @SYSTEM
  Order allow,deny
</Location>
<Location /admin/log>
  AuthType Default
  Require user @SYSTEM
  Order allow,deny
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit Create-Job Print-Job Print-URI Validate-Job>
    Order deny,allow
  </Limit>
  <Limit Send-Document Send-URI Hold-Job Release-Job Restart-Job Purge-Jobs Set-Job-Attributes Create-Job-Subscription Renew-Subscription Cancel-Subscription Get-Notifications Reprocess-Job Cancel-Current-Job Suspend-Current-Job Resume-Job Cancel-My-Jobs Close-Job CUPS-Move-Job>
    Require user @OWNER @SYSTEM
    Order deny,allow
  </Limit>
  <Limit CUPS-Get-Document>
    AuthType Default
    Require user @OWNER @SYSTEM
    Order deny,allow
  </Limit>
  <Limit CUPS-Add-Modify-Printer CUPS-Delete-Printer CUPS-Add-Modify-Class CUPS-Delete-Class CUPS-Set-Default CUPS-Get-Devices>
    AuthType Default
    Require user @SYSTEM
    Order deny,allow
  </Limit>
  <Limit Pause-Printer Resume-Printer Enable-Printer Disable-Printer Pause-Printer-After-Current-Job Hold-New-Jobs Release-Held-New-Jobs Deactivate-Printer Activate-Printer Restart-Printer Shutdown-Printer Startup-Printer Promote-Job Schedule-Job-After Cancel-Jobs CUPS-Accept-Jobs CUPS-Reject-Jobs>
    AuthType Default
    Require user @SYSTEM
    Order deny,allow
  </Limit>
  <Limit Cancel-Job CUPS-Authenticate-Job>
    Require user @OWNER @SYSTEM
    Order deny,allow
  </Limit>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
)";

}  // namespace

SchedulerFolders::SchedulerFolders(fs::path root_folder)
    : root(root_folder),
      spool(root_folder / "spool"),
      temp(root_folder / "spool" / "tmp"),
      cache(root_folder / "cache"),
      state(root_folder / "run"),
      logs(root_folder / "log"),
      drivers(root_folder / "drivers"),
      capture(root_folder / "capture"),
      programs(root_folder / "programs"),
      data(root_folder / "data") {}

void WriteSchedulerConfig(const SchedulerFolders& folders, int port,
                          const SchedulerOptions& options) {
  for (const fs::path& folder : {folders.spool, folders.temp, folders.cache, folders.state,
                                 folders.logs, folders.drivers, folders.capture}) {
    fs::create_directories(folder);
  }
  // The helpers run as lp when the tests run as root, and must reach the spool.
  fs::permissions(folders.root, fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
  MakeServerBin(folders.programs);
  if (!options.driver_folder.empty()) MakeDataDir(folders.data, options.driver_folder);

  WriteFile(folders.SchedulerConf(),
            "LogLevel warn\n"
            "Listen 127.0.0.1:" +
                std::to_string(port) +
                "\n"
                "Listen " +
                folders.Socket().string() +
                "\n"
                "Browsing No\n"
                "BrowseLocalProtocols none\n"
                "WebInterface No\n"
                "DefaultShared No\n" +
                (options.default_policy ? kDefaultPolicy : kOpenPolicy));

  WriteFile(
      folders.FilesConf(),
      "ServerRoot " + folders.root.string() + "\n" + "RequestRoot " + folders.spool.string() +
          "\n" + "TempDir " + folders.temp.string() + "\n" + "CacheDir " + folders.cache.string() +
          "\n" + "StateDir " + folders.state.string() + "\n" + "AccessLog " +
          (folders.logs / "access_log").string() + "\n" + "ErrorLog " +
          folders.ErrorLog().string() + "\n" + "PageLog " + (folders.logs / "page_log").string() +
          "\n" + "ServerBin " + folders.programs.string() + "\n" + "DataDir " +
          (options.driver_folder.empty() ? fs::path("/usr/share/cups") : folders.data).string() +
          "\n" + AccountLines() + "SetEnv VARNOK_JOURNAL " +
          (options.journal.empty() ? folders.Journal() : options.journal).string() + "\n");
}

std::string LabelPrinterPpd(const std::string& driver) { return DriverFileText(driver); }

}  // namespace varnok::testing
