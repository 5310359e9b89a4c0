#include "support/scheduler_config.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>

#include "config/driver_file.h"

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
  if (getuid() == 0) return "User lp\nGroup lp\n";
  return "SystemGroup " + GroupName(getgid()) + "\n";
}

}  // namespace

SchedulerFolders::SchedulerFolders(fs::path root_folder)
    : root(root_folder),
      spool(root_folder / "spool"),
      temp(root_folder / "spool" / "tmp"),
      cache(root_folder / "cache"),
      state(root_folder / "run"),
      logs(root_folder / "log"),
      drivers(root_folder / "drivers"),
      capture(root_folder / "capture") {}

void WriteSchedulerConfig(const SchedulerFolders& folders, int port) {
  for (const fs::path& folder : {folders.spool, folders.temp, folders.cache, folders.state,
                                 folders.logs, folders.drivers, folders.capture}) {
    fs::create_directories(folder);
  }
  // The helpers run as lp when the tests run as root, and must reach the spool.
  fs::permissions(folders.root, fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);

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
                "DefaultShared No\n"
                "<Policy default>\n"
                "  JobPrivateAccess all\n"
                "  JobPrivateValues none\n"
                "  SubscriptionPrivateAccess all\n"
                "  SubscriptionPrivateValues none\n"
                "  <Limit All>\n"
                "    Order deny,allow\n"
                "  </Limit>\n"
                "</Policy>\n");

  WriteFile(folders.FilesConf(),
            "ServerRoot " + folders.root.string() + "\n" + "RequestRoot " + folders.spool.string() +
                "\n" + "TempDir " + folders.temp.string() + "\n" + "CacheDir " +
                folders.cache.string() + "\n" + "StateDir " + folders.state.string() + "\n" +
                "AccessLog " + (folders.logs / "access_log").string() + "\n" + "ErrorLog " +
                folders.ErrorLog().string() + "\n" + "PageLog " +
                (folders.logs / "page_log").string() + "\n" +
                "ServerBin /usr/lib/cups\n"
                "DataDir /usr/share/cups\n" +
                AccountLines());
}

std::string LabelPrinterPpd(const std::string& driver) { return DriverFileText(driver); }

}  // namespace varnok::testing
