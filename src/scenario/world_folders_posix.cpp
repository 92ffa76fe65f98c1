#include "scenario/world_folders.h"

#include <fcntl.h>
#include <signal.h>  // NOLINT(modernize-deprecated-headers): POSIX kill(), not in <csignal>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <random>
#include <set>
#include <stdexcept>
#include <system_error>

namespace r58046::scenario {

namespace fs = std::filesystem;

namespace {

// What one process knows of its folders; a forked child finds another pid here and starts
// its own guardian.
struct ProcessFolders {
  pid_t pid = 0;
  std::string prefix;        // "r58046-<pid>.<tag>-"
  int guardian = -1;         // this end of the guardian's connection
  std::set<fs::path> bases;  // the temporary folders used, each told to the guardian
};

std::mutex& folderMutex() {
  static std::mutex mutex;
  return mutex;
}

ProcessFolders& processFolders() {
  static ProcessFolders folders;
  return folders;
}

fs::path temporaryBase() {
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
  if (ec) {
    throw std::runtime_error("no temporary folder: " + ec.message());
  }
  return base;
}

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// Removes every folder of `base` whose name starts with `prefix`.
void removeFoldersOf(const fs::path& base, const std::string& prefix) {
  std::error_code ec;
  for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
    if (startsWith(it->path().filename().string(), prefix)) {
      std::error_code ignored;
      fs::remove_all(it->path(), ignored);
    }
  }
}

// The guardian's life: it holds nothing of the run but its end of the connection, reads the
// temporary folders the run uses (one a line) until the run's end closes the connection
// (the run has ended, however), removes the run's folders there and ends.
[[noreturn]] void guard(int connection, const std::string& prefix) {
  setsid();
  for (int number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGTTIN, SIGTTOU, SIGPIPE}) {
    ::signal(number, SIG_IGN);
  }
  if (chdir("/") != 0) {
    // Any folder will do: the guardian names folders by their full path.
  }
  int null = open("/dev/null", O_RDWR);
  for (int fd = 0; fd <= 2; ++fd) {
    if (null >= 0 && null != fd) {
      dup2(null, fd);
    }
  }
  if (connection != 3) {
    dup2(connection, 3);
    connection = 3;
  }
  if (close_range(4, ~0U, 0) != 0) {
    for (int fd = 4; fd < 1024; ++fd) {
      close(fd);
    }
  }
  std::string received;
  char buffer[512];
  while (true) {
    ssize_t n = read(connection, buffer, sizeof buffer);
    if (n > 0) {
      received.append(buffer, static_cast<size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      break;
    }
  }
  size_t start = 0;
  for (size_t end = received.find('\n'); end != std::string::npos;
       start = end + 1, end = received.find('\n', start)) {
    removeFoldersOf(received.substr(start, end - start), prefix);
  }
  _exit(0);
}

// Starts the guardian; answers this process's end of the connection, -1 when none could be
// started (then the sweep of a later run removes what this one leaves).
int startGuardian(const std::string& prefix) {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
    return -1;
  }
  pid_t child = fork();
  if (child == 0) {
    close(ends[0]);
    guard(ends[1], prefix);
  }
  close(ends[1]);
  if (child < 0) {
    close(ends[0]);
    return -1;
  }
  // This end stays open as long as the process lives; close-on-exec, so that no program it
  // starts holds it.
  return ends[0];
}

// Tells the guardian a temporary folder to clean; a guardian gone is no reason to fail.
void tellGuardian(int guardian, const fs::path& base) {
  if (guardian < 0) {
    return;
  }
  std::string line = base.string() + "\n";
  size_t sent = 0;
  while (sent < line.size()) {
    ssize_t n = send(guardian, line.data() + sent, line.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return;
    }
    sent += static_cast<size_t>(n);
  }
}

std::string randomWord(std::random_device& random, size_t length) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string word;
  for (size_t i = 0; i < length; ++i) {
    word += kLetters[random() % (sizeof kLetters - 1)];
  }
  return word;
}

}  // namespace

int sweepStaleWorldFolders(const fs::path& base) {
  int removed = 0;
  const std::string prefix = kWorldFolderPrefix;
  std::error_code ec;
  for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (!startsWith(name, prefix)) {
      continue;
    }
    size_t digits = prefix.size();
    size_t dot = name.find('.', digits);
    if (dot == std::string::npos || dot == digits || dot - digits > 9 ||
        name.find_first_not_of("0123456789", digits) != dot) {
      continue;  // not a name this code makes
    }
    pid_t pid = static_cast<pid_t>(std::stol(name.substr(digits, dot - digits)));
    if (pid > 0 && kill(pid, 0) != 0 && errno == ESRCH) {
      std::error_code ignored;
      if (fs::remove_all(it->path(), ignored) > 0) {
        ++removed;
      }
    }
  }
  return removed;
}

fs::path makeWorldFolder() {
  fs::path base = temporaryBase();
  std::random_device random;
  std::string prefix;
  {
    std::lock_guard<std::mutex> lock(folderMutex());
    ProcessFolders& mine = processFolders();
    if (mine.pid != getpid()) {
      // A new process (or a child forked from one): its own name and guardian; the
      // connection inherited from the parent belongs to the parent's guardian.
      if (mine.guardian >= 0) {
        close(mine.guardian);
      }
      mine = ProcessFolders{};
      mine.pid = getpid();
      mine.prefix = std::string(kWorldFolderPrefix) + std::to_string(mine.pid) + "." +
                    randomWord(random, 6) + "-";
      mine.guardian = startGuardian(mine.prefix);
    }
    if (mine.bases.insert(base).second) {
      sweepStaleWorldFolders(base);
      tellGuardian(mine.guardian, base);
    }
    prefix = mine.prefix;
  }
  std::error_code ec;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path folder = base / (prefix + randomWord(random, 8));
    if (fs::create_directory(folder, ec)) {
      return folder;
    }
  }
  throw std::runtime_error("cannot make a temporary folder in " + base.string());
}

}  // namespace r58046::scenario
