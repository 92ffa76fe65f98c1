#include "scenario/world_native.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "automation/text.h"
#include "module/module.h"
#include "platform/native_platform.h"
#include "scenario/world_folders.h"
#include "simword/word.h"

namespace r58046::scenario {

namespace fs = std::filesystem;

namespace {

constexpr char16_t kSep = platform::kSeparator;

// The registry the module sees: the platform's own, with a look at every Word that
// CreateObject starts, so that faults waiting for a Word reach it before its first call.
class HostRegistry : public platform::ClassRegistry {
 public:
  HostRegistry(platform::ClassRegistry& inner, std::function<void()> started)
      : inner_(inner), started_(std::move(started)) {}

  automation::ObjectRef getActiveObject(std::u16string_view progId) override {
    return inner_.getActiveObject(progId);
  }
  automation::ObjectRef createObject(std::u16string_view progId) override {
    automation::ObjectRef object = inner_.createObject(progId);
    started_();
    return object;
  }

 private:
  platform::ClassRegistry& inner_;
  std::function<void()> started_;
};

std::u16string folderText(const fs::path& path) {
  return automation::fromUtf8(path.string()) + kSep;
}

class NativeWorld : public World {
 public:
  explicit NativeWorld(NativeWorldOptions options)
      : options_(std::move(options)), root_(makeWorldFolder()) {
    try {
      fs::path work = root_ / "Travail";
      fs::path documents = root_ / "Mes documents";
      fs::path templates = root_ / "Microsoft" / "Mod\xC3\xA8les";
      for (const fs::path& p : {work, documents, templates}) {
        fs::create_directories(p);
      }
      folders_.work = folderText(work);
      folders_.documents = folderText(documents);
      folders_.userTemplates = automation::fromUtf8(templates.string());
      folders_.templates = folders_.userTemplates + kSep + u"Oxel Mod\u00e8les" + kSep;

      platform_ = std::make_unique<platform::NativePlatform>();
      environment_.desktop = &platform_->desktop;
      environment_.registry = &platform_->registry;
      environment_.files = &platform_->files;
      environment_.documentsFolder = folders_.documents;
      environment_.userTemplatesFolder = folders_.userTemplates;
      environment_.savePromptAnswer = [this] { return saveAnswer_; };
      simword::installWord(environment_);

      hostRegistry_ =
          std::make_unique<HostRegistry>(platform_->registry, [this] { startedByAutomation(); });
      platform::Platform forModule{
          platform_->desktop, *hostRegistry_,
          options_.moduleFiles != nullptr ? *options_.moduleFiles : platform_->files,
          options_.modulePauses != nullptr ? *options_.modulePauses : platform_->pauses};
      module_ = module::createModule(forModule);
    } catch (...) {
      release();
      throw;
    }
  }

  ~NativeWorld() override { release(); }

  NativeWorld(const NativeWorld&) = delete;
  NativeWorld& operator=(const NativeWorld&) = delete;

  const WorldFolders& folders() const override { return folders_; }
  platform::FileSystem& files() override { return platform_->files; }
  external::AbstractModule& module() override { return *module_; }

  automation::ObjectRef runningWord() override {
    auto word = running();
    return word ? word->application() : nullptr;
  }

  WordHandle startWordAsUser() override {
    auto word = simword::startWordAsUser(environment_);
    observe(word);
    givePendingFaults(*word);
    return WordHandle{word->application(), word->mainWindow()};
  }

  void desktopEvent(DesktopEvent event, const std::u16string& caption) override {
    auto word = running();
    if (!word) {
      throw std::runtime_error("no Word runs for the desktop event");
    }
    switch (event) {
      case DesktopEvent::Dialog:
        word->openDialog(caption);
        break;
      case DesktopEvent::DialogInDialog:
        word->openDialogInDialog();
        break;
      case DesktopEvent::Balloon:
        word->showBalloon();
        break;
      case DesktopEvent::Minimize:
        word->minimize();
        break;
      case DesktopEvent::Hide:
        word->hide();
        break;
      case DesktopEvent::CloseWord:
        word->closeByUser();
        break;
      case DesktopEvent::EmbeddedEdit:
        word->editEmbedded();
        break;
      case DesktopEvent::SavePrompt:
        break;  // arranged through arrangeSavePrompt, Word running or not
    }
  }

  void arrangeSavePrompt(simword::SaveAnswer answer) override { saveAnswer_ = answer; }

  void injectFault(std::u16string_view member, int32_t occurrence, int32_t error) override {
    if (auto word = running()) {
      word->session().injectFault(member, occurrence, error);
    } else {
      pending_.push_back(Fault{std::u16string(member), occurrence, error});
    }
  }

  // The simulated Word runs in this process and tells the observer of the calls it answers.
  bool observeWordCalls(automation::CallObserver* observer) override {
    automation::setCallObserver(observer);
    return true;
  }

 private:
  struct Fault {
    std::u16string member;
    int32_t occurrence;
    int32_t error;
  };

  std::shared_ptr<simword::WordInstance> running() {
    auto words = simword::startedWords(environment_);
    auto newest = std::find_if(words.rbegin(), words.rend(),
                               [](const auto& word) { return word->running(); });
    return newest != words.rend() ? *newest : nullptr;
  }

  void startedByAutomation() {
    auto words = simword::startedWords(environment_);
    if (!words.empty()) {
      observe(words.back());
      givePendingFaults(*words.back());
    }
  }

  void observe(const std::shared_ptr<simword::WordInstance>& word) const {
    if (!options_.wordCalls) {
      return;
    }
    // The session lives in the Word: it must not own the Word back.
    std::weak_ptr<simword::WordInstance> weak = word;
    word->session().observeCalls([weak, calls = options_.wordCalls](std::u16string_view member) {
      if (auto instance = weak.lock()) {
        calls(*instance, member);
      }
    });
  }

  void givePendingFaults(simword::WordInstance& word) {
    for (const Fault& f : pending_) {
      word.session().injectFault(f.member, f.occurrence, f.error);
    }
    pending_.clear();
  }

  // The module first (it holds Word), then Word with the platform, then the folders.
  void release() {
    module_.reset();
    hostRegistry_.reset();
    platform_.reset();
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  NativeWorldOptions options_;
  fs::path root_;
  WorldFolders folders_;
  std::unique_ptr<platform::NativePlatform> platform_;
  simword::WordEnvironment environment_;
  std::unique_ptr<HostRegistry> hostRegistry_;
  std::shared_ptr<module::Module> module_;
  std::vector<Fault> pending_;
  simword::SaveAnswer saveAnswer_ = simword::SaveAnswer::No;
};

}  // namespace

std::unique_ptr<World> makeNativeWorld() {
  return std::make_unique<NativeWorld>(NativeWorldOptions{});
}

std::unique_ptr<World> makeNativeWorldWith(const NativeWorldOptions& options) {
  return std::make_unique<NativeWorld>(options);
}

}  // namespace r58046::scenario
