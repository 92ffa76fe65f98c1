#include "simword/document.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "automation/error.h"
#include "automation/text.h"
#include "simword/doc_core.h"
#include "simword/file_format_reader.h"
#include "simword/file_format_writer.h"
#include "simword/objects.h"
#include "simword/range.h"
#include "simword/style_objects.h"
#include "simword/units.h"

namespace r58046::simword {

namespace errors = automation::errors;
namespace fs = std::filesystem;
using automation::MemberTable;
using automation::ObjectRef;
using automation::Variant;

namespace {

// A file larger than this is no document of the simulated Word.
constexpr uintmax_t kMaxFileSize = uintmax_t{256} * 1024 * 1024;

fs::path fsPath(std::u16string_view path) {
#ifdef _WIN32
  return fs::path(std::wstring(path.begin(), path.end()));
#else
  return fs::path(automation::toUtf8(path));
#endif
}

std::u16string fromFsName(const fs::path& name) {
#ifdef _WIN32
  std::wstring w = name.wstring();
  return std::u16string(w.begin(), w.end());
#else
  return automation::fromUtf8(name.string());
#endif
}

bool isSeparator(char16_t c) {
#ifdef _WIN32
  return c == u'\\' || c == u'/';
#else
  return c == platform::kSeparator;
#endif
}

bool hasFolder(std::u16string_view path) {
  return std::any_of(path.begin(), path.end(), isSeparator);
}

std::u16string withSeparator(std::u16string folder) {
  if (!folder.empty() && !isSeparator(folder.back())) {
    folder += platform::kSeparator;
  }
  return folder;
}

// The file at that path; on a case-sensitive file system, also one whose name differs only
// in letter case (Word runs where names are found without regard to case).
std::optional<std::u16string> findFile(std::u16string_view fullName) {
  std::error_code ec;
  if (fs::is_regular_file(fsPath(fullName), ec)) {
    return std::u16string(fullName);
  }
  auto [folder, name] = splitPath(fullName);
  if (name.empty()) {
    return std::nullopt;
  }
  fs::path dir = folder.empty() ? fs::path(".") : fsPath(folder);
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::u16string entry = fromFsName(it->path().filename());
    if (automation::equalsNoCase(entry, name) && it->is_regular_file(ec)) {
      return withSeparator(folder) + entry;
    }
  }
  return std::nullopt;
}

std::string readBytes(std::u16string_view fullName) {
  std::error_code ec;
  fs::path p = fsPath(fullName);
  uintmax_t size = fs::file_size(p, ec);
  if (ec) {
    raiseWordError(errors::kWordFileNotFound);
  }
  if (size > kMaxFileSize) {
    raiseWordError(wderrors::kFileCorrupted);
  }
  std::ifstream in(p, std::ios::binary);
  if (!in) {
    raiseWordError(errors::kWordFileNotFound);
  }
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ParsedDocument parseFile(std::u16string_view fullName) {
  std::string bytes = readBytes(fullName);
  try {
    return parseDocument(bytes);
  } catch (const FormatError&) {
    raiseWordError(wderrors::kFileCorrupted);
  }
}

// A Template object of the document's own: its name is its default member.
class Template : public SimObject<Template> {
 public:
  Template(std::shared_ptr<WordSession> session, std::u16string fullName)
      : SimObject(std::move(session)), fullName_(std::move(fullName)) {}

  static const MemberTable<Template>& members() {
    static const auto table = MemberTable<Template>()
                                  .get(u"Name", &Template::name)
                                  .asDefault()
                                  .get(u"Path", &Template::path)
                                  .get(u"FullName", &Template::fullName);
    return table;
  }

  std::u16string name() const { return splitPath(fullName_).second; }
  std::u16string path() const { return splitPath(fullName_).first; }
  std::u16string fullName() const { return fullName_; }

 private:
  std::u16string fullName_;
};

}  // namespace

// --- shared helpers ------------------------------------------------------------------------

std::pair<std::u16string, std::u16string> splitPath(std::u16string_view fullName) {
  size_t at = fullName.size();
  while (at > 0 && !isSeparator(fullName[at - 1])) {
    --at;
  }
  if (at == 0) {
    return {u"", std::u16string(fullName)};
  }
  std::u16string folder(fullName.substr(0, at - 1));
  if (folder.empty()) {
    folder = std::u16string(1, fullName[0]);  // the root folder
  }
  return {folder, std::u16string(fullName.substr(at))};
}

void writeFileSafely(platform::FileSystem& files, std::u16string_view fullName,
                     const std::string& bytes) {
  auto [folder, name] = splitPath(fullName);
  std::error_code ec;
  if (name.empty() || (!folder.empty() && !fs::is_directory(fsPath(folder), ec))) {
    raiseWordError(wderrors::kInvalidFileName);
  }
  fs::path target = fsPath(fullName);
  if (fs::exists(target, ec)) {
    bool readOnly = false;
    try {
      readOnly = files.hasAttribute(fullName, platform::FileAttribute::ReadOnly);
    } catch (const automation::AutomationError&) {
      readOnly = true;
    }
    if (readOnly || fs::is_directory(target, ec)) {
      raiseWordError(wderrors::kSavePermission);
    }
  }
  static std::atomic<unsigned> counter{0};
  std::u16string tempName = withSeparator(folder) + u"~$" + name + u"." +
                            automation::fromUtf8(std::to_string(++counter)) + u".tmp";
  fs::path temp = fsPath(tempName);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (out) {
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      out.flush();
    }
    if (!out) {
      out.close();
      fs::remove(temp, ec);
      raiseWordError(wderrors::kSavePermission);
    }
  }
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    raiseWordError(wderrors::kSavePermission);
  }
}

std::u16string DocCore::fullName() const {
  return folder.empty() ? name : withSeparator(folder) + name;
}

void DocCore::requireOpen() const {
  if (closed) {
    raiseWordError(wderrors::kObjectDeleted);
  }
}

void DocCore::requireEditable() const {
  requireOpen();
  if (props.protection != kNoProtection && props.protection != kAllowOnlyRevisions) {
    raiseProtected();
  }
}

DocumentHost& DocCore::hostRef() const {
  requireOpen();
  if (host == nullptr) {
    raiseWordError(wderrors::kObjectDeleted);
  }
  return *host;
}

ObjectRef DocCore::document() const {
  requireOpen();
  if (owner == nullptr) {
    raiseWordError(wderrors::kObjectDeleted);
  }
  return owner->shared_from_this();
}

std::pair<int32_t, int32_t> DocCore::bounds(const SpanPtr& span) const {
  int32_t end = content->end();
  if (!span) {
    return {0, end};
  }
  int32_t s = std::clamp(span->start, 0, end);
  return {s, std::clamp(span->end, s, end)};
}

std::vector<SpanPtr> DocCore::growing(const SpanPtr& range, bool bookmarks) const {
  auto [s, e] = bounds(range);
  std::vector<SpanPtr> out;
  if (bookmarks) {
    out = content->bookmarksCovering(s, e);
  }
  out.push_back(range);
  const EnvelopeData& env = content->envelope();
  for (const SpanPtr& span : {env.address, env.returnAddress}) {
    if (span && span->start == s && span->end == e) {
      out.push_back(span);
    }
  }
  return out;
}

StyleId DocCore::styleFrom(const Variant& value) {
  StyleSheet& sheet = content->styles();
  const StyleDef* found = nullptr;
  if (value.isObject()) {
    ObjectRef ref = value.toObject();
    if (auto* style = dynamic_cast<docobj::Style*>(ref.get())) {
      found = sheet.find(style->def().name);
    } else if (ref) {
      WordSession::InternalCalls internal(*session);
      found = sheet.find(value.toString());
    } else {
      raiseWordError(errors::kObjectVariableNotSet);
    }
  } else if (value.isString()) {
    found = sheet.find(value.stringRef());
  } else {
    int32_t index = value.toLong();
    if (index < 0) {
      found = sheet.byBuiltin(index);
    } else if (index >= 1 && static_cast<size_t>(index) <= sheet.count()) {
      found = &sheet.at(static_cast<size_t>(index) - 1);
    }
  }
  if (found == nullptr) {
    raiseWordError(errors::kWordNoSuchMember);
  }
  return found->id;
}

int32_t DocCore::measurementUnit() const {
  return host != nullptr ? host->measurementUnit() : 1;
}

ParsedDocument readDocumentFile(const DocCore& core, std::u16string_view fileName) {
  std::u16string full(fileName);
  if (!hasFolder(full)) {
    // A bare name is looked for in Word's current folder.
    std::u16string folder = core.host != nullptr ? core.host->defaultFolder() : u"";
    full = withSeparator(folder.empty() ? core.folder : folder) + full;
  }
  std::optional<std::u16string> found = findFile(full);
  if (!found) {
    raiseWordError(errors::kWordFileNotFound);
  }
  return parseFile(*found);
}

void raiseProtected() {
  raiseWordError(errors::kWordCommandNotAvailable,
                 u"This method or property is not available because the object refers to a "
                 u"protected area of the document.");
}

int32_t twipsFrom(float points, int32_t low, int32_t high) {
  if (!std::isfinite(points)) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  double twips = std::round(static_cast<double>(points) * units::kTwipsPerPoint);
  if (twips < low || twips > high) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  return static_cast<int32_t>(twips);
}

// --- Document ------------------------------------------------------------------------------

struct Document::Private {
  std::shared_ptr<DocCore> core;
};

Document::Document(std::shared_ptr<WordSession> session, DocumentHost& host)
    : SimObject(session), d_(std::make_unique<Private>()) {
  d_->core = std::make_shared<DocCore>();
  d_->core->session = std::move(session);
  d_->core->host = &host;
  d_->core->owner = this;
  d_->core->content = std::make_unique<Content>();
}

Document::~Document() {
  d_->core->owner = nullptr;
}

std::shared_ptr<Document> Document::open(std::shared_ptr<WordSession> session, DocumentHost& host,
                                         std::u16string_view fullName,
                                         std::optional<std::u16string_view> password) {
  std::optional<std::u16string> found = findFile(fullName);
  if (!found) {
    raiseWordError(errors::kWordFileNotFound);
  }
  ParsedDocument parsed = parseFile(*found);
  if (!parsed.properties.password.empty() &&
      (!password || *password != parsed.properties.password)) {
    raiseWordError(wderrors::kOpenPasswordIncorrect);
  }
  auto doc = std::make_shared<Document>(std::move(session), host);
  DocCore& core = *doc->d_->core;
  core.content = std::move(parsed.content);
  core.props = std::move(parsed.properties);
  std::tie(core.folder, core.name) = splitPath(*found);
  if (core.props.updateStylesOnOpen && !core.props.attachedTemplate.empty()) {
    // Word takes the attached template's styles on opening; a template it cannot read is
    // passed over.
    if (std::optional<std::u16string> t = findFile(doc->attachedTemplateFullName())) {
      try {
        ParsedDocument tpl = parseFile(*t);
        core.content->styles().copyDefinitionsFrom(tpl.content->styles());
      } catch (const automation::AutomationError&) {
      }
    }
  }
  core.saved = true;
  return doc;
}

std::shared_ptr<Document> Document::create(std::shared_ptr<WordSession> session, DocumentHost& host,
                                           std::u16string_view name,
                                           std::optional<std::u16string_view> templatePath,
                                           bool asTemplate) {
  auto doc = std::make_shared<Document>(std::move(session), host);
  DocCore& core = *doc->d_->core;
  core.name = std::u16string(name);
  core.props.isTemplate = asTemplate;
  if (templatePath && !templatePath->empty() &&
      !automation::equalsNoCase(*templatePath, u"Normal.dot") &&
      !automation::equalsNoCase(*templatePath, u"Normal")) {
    std::u16string full(*templatePath);
    if (!hasFolder(full)) {
      full = withSeparator(host.userTemplatesFolder()) + full;
    }
    std::optional<std::u16string> found = findFile(full);
    if (!found) {
      raiseWordError(errors::kWordFileNotFound);
    }
    ParsedDocument tpl = parseFile(*found);
    core.content = std::move(tpl.content);
    core.props.protection = tpl.properties.protection;
    core.props.protectionPassword = tpl.properties.protectionPassword;
    core.props.showSpellingErrors = tpl.properties.showSpellingErrors;
    core.props.showGrammaticalErrors = tpl.properties.showGrammaticalErrors;
    core.props.attachedTemplate = *found;
  }
  core.saved = true;
  return doc;
}

const MemberTable<Document>& Document::members() {
  static const auto table =
      MemberTable<Document>()
          .get(u"Name", &Document::name)
          .asDefault()
          .get(u"Path", &Document::path)
          .get(u"FullName", &Document::fullName)
          .get(u"Application", &Document::applicationObject)
          .get(u"Parent", &Document::applicationObject)
          .get(u"ActiveWindow", &Document::activeWindow)
          .get(u"Bookmarks", &Document::bookmarks)
          .get(u"Sections", &Document::sections)
          .get(u"Paragraphs", &Document::paragraphs)
          .get(u"FormFields", &Document::formFields)
          .get(u"Styles", &Document::styles)
          .get(u"Envelope", &Document::envelope)
          .get(u"Content", &Document::content)
          .method(u"Range", {u"Start", u"End"}, &Document::rangeMember)
          .method(u"Save", &Document::save)
          // Word's arguments; those past Password change nothing in the simulated Word.
          .raw(u"SaveAs",
               {u"FileName", u"FileFormat", u"LockComments", u"Password", u"AddToRecentFiles",
                u"WritePassword", u"ReadOnlyRecommended", u"EmbedTrueTypeFonts",
                u"SaveNativePictureFormat", u"SaveFormsData", u"SaveAsAOCELetter", u"Encoding",
                u"InsertLineBreaks", u"AllowSubstitutions", u"LineEnding", u"AddBiDiMarks"},
               {}, {},
               [](Document& self, automation::CallArgs& a) {
                 auto text = [&](size_t i) {
                   return a.has(i) ? std::optional<std::u16string>(a[i].toString()) : std::nullopt;
                 };
                 self.saveAs(text(0),
                             a.has(1) ? std::optional<int32_t>(a[1].toLong()) : std::nullopt,
                             std::nullopt, text(3), std::nullopt, std::nullopt, std::nullopt);
                 return Variant();
               })
          .method(u"Close", {u"SaveChanges", u"OriginalFormat", u"RouteDocument"},
                  &Document::closeMember)
          .method(u"Activate", &Document::activate)
          .raw(u"Protect", {u"Type", u"NoReset", u"Password", u"UseIRM", u"EnforceStyleLock"}, {},
               {},
               [](Document& self, automation::CallArgs& a) {
                 self.protect(
                     a.required(0).toLong(), std::nullopt,
                     a.has(2) ? std::optional<std::u16string>(a[2].toString()) : std::nullopt);
                 return Variant();
               })
          .method(u"Unprotect", {u"Password"}, &Document::unprotect)
          .raw(u"Password", {}, {},
               [](Document& self, automation::CallArgs& a) {
                 self.setPassword(a.required(0).toString());
                 return Variant();
               },
               {})
          .get(u"HasPassword", &Document::hasPassword)
          .prop(u"Saved", &Document::saved, &Document::setSaved)
          .get(u"ProtectionType", &Document::protectionType)
          .prop(u"UpdateStylesOnOpen", &Document::updateStylesOnOpen,
                &Document::setUpdateStylesOnOpen)
          .prop(u"AttachedTemplate", &Document::attachedTemplate, &Document::setAttachedTemplate)
          .prop(u"ShowSpellingErrors", &Document::showSpellingErrors,
                &Document::setShowSpellingErrors)
          .prop(u"ShowGrammaticalErrors", &Document::showGrammaticalErrors,
                &Document::setShowGrammaticalErrors)
          .get(u"Type", &Document::type)
          .method(u"UpdateStyles", &Document::updateStyles);
  return table;
}

std::u16string Document::name() const {
  return d_->core->name;
}
std::u16string Document::path() const {
  return d_->core->folder;
}
std::u16string Document::fullName() const {
  return d_->core->fullName();
}
bool Document::isTemplate() const {
  return d_->core->props.isTemplate;
}

std::u16string Document::attachedTemplateFullName() const {
  const DocCore& core = *d_->core;
  const std::u16string& attached = core.props.attachedTemplate;
  if (!attached.empty() && hasFolder(attached)) {
    return attached;
  }
  // A template named without its folder (as an author may write it) is one of the user
  // templates folder.
  std::u16string folder = core.host != nullptr ? core.host->userTemplatesFolder() : u"";
  return withSeparator(folder) + (attached.empty() ? u"Normal.dot" : attached);
}

ObjectRef Document::range(int32_t start, int32_t end) {
  const Content& c = d_->core->c();
  int32_t s = std::clamp(start, 0, c.end());
  return docobj::makeRange(d_->core, s, std::clamp(end, s, c.end()));
}

std::optional<std::pair<int32_t, int32_t>> Document::bookmark(std::u16string_view name) const {
  const BookmarkData* b = d_->core->c().bookmark(name);
  if (b == nullptr) {
    return std::nullopt;
  }
  return std::make_pair(b->span->start, b->span->end);
}

void Document::typeText(int32_t position, std::u16string_view text) {
  replaceText(position, position, text);
}

void Document::replaceText(int32_t start, int32_t end, std::u16string_view text) {
  DocCore& core = *d_->core;
  core.requireEditable();
  core.c().replace(start, end, text);
  core.changed();
}

int32_t Document::contentEnd() const {
  return d_->core->c().end();
}
std::pair<int32_t, int32_t> Document::paragraphBounds(int32_t position) const {
  const Content& c = d_->core->c();
  size_t i = c.paragraphAt(position);
  return {c.paragraphStart(i), c.paragraph(i).end};
}
bool Document::saved() const {
  return d_->core->saved;
}
bool Document::hasPassword() const {
  return !d_->core->props.password.empty();
}
bool Document::isClosed() const {
  return d_->core->closed;
}

void Document::save() {
  DocCore& core = *d_->core;
  core.requireOpen();
  if (core.folder.empty()) {
    // A document never saved goes where the Save As dialog proposes it: the current folder,
    // under its name.
    saveAs(std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
           std::nullopt);
    return;
  }
  writeFileSafely(core.hostRef().files(), core.fullName(), writeDocument(core.props, core.c()));
  core.saved = true;
}

void Document::saveAs(std::optional<std::u16string> fileName, std::optional<int32_t> fileFormat,
                      std::optional<Variant> /*lockComments*/,
                      std::optional<std::u16string> password,
                      std::optional<Variant> /*addToRecentFiles*/,
                      std::optional<Variant> /*writePassword*/,
                      std::optional<Variant> /*readOnlyRecommended*/) {
  DocCore& core = *d_->core;
  DocumentHost& host = core.hostRef();
  std::u16string full = fileName.value_or(core.name);
  if (automation::trim(full).empty()) {
    raiseWordError(wderrors::kInvalidFileName);
  }
  if (!hasFolder(full)) {
    std::u16string folder = host.defaultFolder();
    if (folder.empty()) {
      folder = core.folder;
    }
    if (folder.empty()) {
      raiseWordError(wderrors::kInvalidFileName);
    }
    full = withSeparator(folder) + full;
  }
  // wdFormatTemplate (1) makes a template; any other format a document.
  bool asTemplate = fileFormat ? *fileFormat == 1 : core.props.isTemplate;
  auto [folder, name] = splitPath(full);
  if (name.find(u'.') == std::u16string::npos) {
    full += asTemplate ? u".dot" : u".doc";
  }
  DocumentProperties props = core.props;
  props.isTemplate = asTemplate;
  if (password) {
    props.password = *password;
  }
  writeFileSafely(host.files(), full, writeDocument(props, core.c()));
  core.props = std::move(props);
  std::tie(core.folder, core.name) = splitPath(full);
  core.saved = true;
  host.renamed(*this);
}

void Document::close(int32_t saveChanges) {
  DocCore& core = *d_->core;
  core.requireOpen();
  DocumentHost& host = core.hostRef();
  // wdSaveChanges (-1) saves a document that has changes; wdPromptToSaveChanges (-2) asks
  // the person; wdDoNotSaveChanges (0) closes without saving.
  if (!core.saved && saveChanges == kWdPromptToSaveChanges) {
    switch (host.askToSave(*this)) {
      case SaveAnswer::Yes:
        saveChanges = kWdSaveChanges;
        break;
      case SaveAnswer::Cancel:
        raiseWordError(errors::kWordCommandFailed);
      case SaveAnswer::No:
        break;
    }
  }
  if (saveChanges == kWdSaveChanges && !core.saved) {
    save();
  }
  host.closed(*this);
  core.closed = true;
  core.host = nullptr;
}

ObjectRef Document::applicationObject() const {
  return d_->core->hostRef().application();
}

ObjectRef Document::activeWindow() const {
  // The application keeps its documents as non-const objects; asking for a window changes
  // nothing in this one.
  return d_->core->hostRef().windowOf(
      const_cast<Document&>(*this));  // NOLINT(cppcoreguidelines-pro-type-const-cast)
}

ObjectRef Document::bookmarks() const {
  d_->core->requireOpen();
  return docobj::makeBookmarks(d_->core);
}

ObjectRef Document::sections() const {
  d_->core->requireOpen();
  return docobj::makeSections(d_->core, nullptr);
}

ObjectRef Document::paragraphs() const {
  d_->core->requireOpen();
  return docobj::makeParagraphs(d_->core, nullptr);
}

ObjectRef Document::formFields() const {
  d_->core->requireOpen();
  return docobj::makeFormFields(d_->core);
}

ObjectRef Document::styles() const {
  d_->core->requireOpen();
  return docobj::makeStyles(d_->core);
}

ObjectRef Document::envelope() const {
  d_->core->requireOpen();
  return docobj::makeEnvelope(d_->core);
}

ObjectRef Document::content() const {
  d_->core->requireOpen();
  return docobj::makeRange(d_->core, 0, d_->core->c().end());
}

ObjectRef Document::rangeMember(std::optional<int32_t> start, std::optional<int32_t> end) {
  DocCore& core = *d_->core;
  core.requireOpen();
  int32_t last = core.c().end();
  int32_t s = start.value_or(0);
  int32_t e = end.value_or(last);
  if (s < 0 || e < 0 || s > last || e > last) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  return docobj::makeRange(d_->core, std::min(s, e), std::max(s, e));
}

void Document::closeMember(std::optional<int32_t> saveChanges,
                           std::optional<Variant> /*originalFormat*/,
                           std::optional<Variant> /*routeDocument*/) {
  close(saveChanges.value_or(kWdPromptToSaveChanges));
}

void Document::activate() {
  d_->core->hostRef().activate(*this);
}

void Document::protect(int32_t type, std::optional<Variant> /*noReset*/,
                       std::optional<std::u16string> password) {
  DocCore& core = *d_->core;
  core.requireOpen();
  if (core.props.protection != kNoProtection) {
    raiseWordError(errors::kWordCommandNotAvailable,
                   u"This method or property is not available because the document is "
                   u"already protected.");
  }
  if (type < kAllowOnlyRevisions || type > kAllowOnlyReading) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  core.props.protection = type;
  core.props.protectionPassword = password.value_or(u"");
  core.changed();
}

void Document::unprotect(std::optional<std::u16string> password) {
  DocCore& core = *d_->core;
  core.requireOpen();
  if (core.props.protection == kNoProtection) {
    return;
  }
  if (!core.props.protectionPassword.empty() &&
      password.value_or(u"") != core.props.protectionPassword) {
    raiseWordError(wderrors::kPasswordIncorrect);
  }
  core.props.protection = kNoProtection;
  core.props.protectionPassword.clear();
  core.changed();
}

void Document::setPassword(std::u16string password) {
  DocCore& core = *d_->core;
  core.requireOpen();
  core.props.password = std::move(password);
  core.changed();
}

void Document::setSaved(bool saved) {
  d_->core->requireOpen();
  d_->core->saved = saved;
}

int32_t Document::protectionType() const {
  d_->core->requireOpen();
  return d_->core->props.protection;
}

bool Document::updateStylesOnOpen() const {
  d_->core->requireOpen();
  return d_->core->props.updateStylesOnOpen;
}

void Document::setUpdateStylesOnOpen(bool update) {
  d_->core->requireOpen();
  d_->core->props.updateStylesOnOpen = update;
  d_->core->changed();
}

ObjectRef Document::attachedTemplate() const {
  DocumentHost& host = d_->core->hostRef();
  std::u16string full = attachedTemplateFullName();
  if (ObjectRef own = host.templateObject(full)) {
    return own;
  }
  return docobj::makeTemplate(d_->core->session, full);
}

void Document::setAttachedTemplate(Variant value) {
  DocCore& core = *d_->core;
  DocumentHost& host = core.hostRef();
  std::u16string wanted;
  if (value.isObject()) {
    WordSession::InternalCalls internal(*core.session);
    wanted = automation::Object(value.toObject()).get(u"FullName").toString();
  } else {
    wanted = value.toString();
  }
  wanted = automation::trim(wanted);
  std::u16string normal = withSeparator(host.userTemplatesFolder()) + u"Normal.dot";
  if (wanted.empty() || automation::equalsNoCase(wanted, u"Normal.dot") ||
      automation::equalsNoCase(wanted, u"Normal") || automation::equalsNoCase(wanted, normal)) {
    core.props.attachedTemplate.clear();
    core.changed();
    return;
  }
  std::optional<std::u16string> found;
  if (hasFolder(wanted)) {
    found = findFile(wanted);
  } else {
    found = findFile(withSeparator(host.userTemplatesFolder()) + wanted);
    if (!found && !host.defaultFolder().empty()) {
      found = findFile(withSeparator(host.defaultFolder()) + wanted);
    }
  }
  if (!found) {
    raiseWordError(errors::kWordFileNotFound);
  }
  core.props.attachedTemplate = *found;
  core.changed();
}

bool Document::showSpellingErrors() const {
  d_->core->requireOpen();
  return d_->core->props.showSpellingErrors;
}

void Document::setShowSpellingErrors(bool show) {
  d_->core->requireOpen();
  d_->core->props.showSpellingErrors = show;
}

bool Document::showGrammaticalErrors() const {
  d_->core->requireOpen();
  return d_->core->props.showGrammaticalErrors;
}

void Document::setShowGrammaticalErrors(bool show) {
  d_->core->requireOpen();
  d_->core->props.showGrammaticalErrors = show;
}

int32_t Document::type() const {
  d_->core->requireOpen();
  return d_->core->props.isTemplate ? 1 : 0;  // wdTypeTemplate, wdTypeDocument
}

void Document::updateStyles() {
  DocCore& core = *d_->core;
  core.requireEditable();
  if (core.props.attachedTemplate.empty()) {
    return;
  }
  std::optional<std::u16string> found = findFile(attachedTemplateFullName());
  if (!found) {
    raiseWordError(errors::kWordFileNotFound);
  }
  ParsedDocument tpl = parseFile(*found);
  core.c().styles().copyDefinitionsFrom(tpl.content->styles());
  core.changed();
}

ObjectRef docobj::makeTemplate(const std::shared_ptr<WordSession>& session,
                               std::u16string fullName) {
  return std::make_shared<Template>(session, std::move(fullName));
}

}  // namespace r58046::simword
