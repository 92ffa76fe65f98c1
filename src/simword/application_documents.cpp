#include "simword/application_documents.h"

#include "automation/error.h"
#include "automation/text.h"
#include "simword/application.h"

namespace r58046::simword {

using automation::ObjectRef;
using automation::Variant;
namespace errors = automation::errors;

namespace {

bool isNormalTemplate(std::u16string_view name, Application& app) {
  return automation::equalsNoCase(name, u"Normal") ||
         automation::equalsNoCase(name, u"Normal.dot") ||
         automation::equalsNoCase(name, app.normalTemplateFullName());
}

}  // namespace

Documents::Documents(std::shared_ptr<Application> application)
    : SimObject(application->sessionPtr()), application_(std::move(application)) {}

const automation::MemberTable<Documents>& Documents::members() {
  static const auto table =
      automation::MemberTable<Documents>()
          .get(u"Count", &Documents::count)
          .get(u"Application", &Documents::application)
          .raw(u"Open",
               {u"FileName", u"ConfirmConversions", u"ReadOnly", u"AddToRecentFiles",
                u"PasswordDocument", u"PasswordTemplate", u"Revert", u"WritePasswordDocument",
                u"WritePasswordTemplate", u"Format", u"Encoding", u"Visible", u"OpenAndRepair",
                u"DocumentDirection", u"NoEncodingDialog", u"XMLTransform"},
               {}, {},
               [](Documents& self, automation::CallArgs& args) { return Variant(self.open(args)); })
          .method(u"Add", {u"Template", u"NewTemplate", u"DocumentType", u"Visible"},
                  &Documents::add)
          .method(u"Close", {u"SaveChanges", u"OriginalFormat", u"RouteDocument"},
                  &Documents::close)
          .get(u"Item", {u"Index"}, &Documents::item)
          .asDefault();
  return table;
}

int32_t Documents::count() const {
  return static_cast<int32_t>(application_->openDocuments().size());
}

ObjectRef Documents::application() const {
  return application_;
}

ObjectRef Documents::item(const Variant& index) {
  if (index.isMissing()) {
    automation::raiseError(errors::kArgumentNotOptional);
  }
  const auto& open = application_->openDocuments();
  if (index.isString()) {
    for (const auto& entry : open) {
      if (automation::equalsNoCase(entry.document->name(), index.stringRef()) ||
          automation::equalsNoCase(entry.document->fullName(), index.stringRef())) {
        return entry.document;
      }
    }
    // A name that no open document has is taken for a bad file name, as Word takes it.
    raiseWordError(wderrors::kBadFileName);
  } else {
    int32_t i = index.toLong();
    if (i >= 1 && i <= count()) {
      return open[i - 1].document;
    }
  }
  raiseWordError(errors::kWordNoSuchMember);
}

ObjectRef Documents::open(automation::CallArgs& args) {
  std::u16string path = application_->resolvePath(args.required(0).toString());
  for (const auto& entry : application_->openDocuments()) {
    if (automation::equalsNoCase(entry.document->fullName(), path)) {
      application_->activate(*entry.document);
      return entry.document;
    }
  }
  auto& files = application_->files();
  if (!files.exists(path) && !files.dirFinds(path)) {
    raiseWordError(errors::kWordFileNotFound);
  }
  std::optional<std::u16string> password;
  if (args.has(4)) {
    password = args[4].toString();
  }
  auto document =
      Document::open(application_->sessionPtr(), *application_, path,
                     password ? std::optional<std::u16string_view>(*password) : std::nullopt);
  application_->addDocument(document);
  return document;
}

ObjectRef Documents::add(const Variant& templateName, const Variant& newTemplate,
                         const Variant& /*documentType*/, const Variant& /*visible*/) {
  std::optional<std::u16string> templatePath;
  if (!templateName.isMissing()) {
    std::u16string name = templateName.toString();
    if (!name.empty() && !isNormalTemplate(name, *application_)) {
      // A bare name is one of the user's templates.
      templatePath = name.find(platform::kSeparator) == std::u16string::npos
                         ? application_->userTemplatesFolder() + platform::kSeparator + name
                         : name;
      auto& files = application_->files();
      if (!files.exists(*templatePath) && !files.dirFinds(*templatePath)) {
        raiseWordError(errors::kWordFileNotFound);
      }
    }
  }
  bool asTemplate = !newTemplate.isMissing() && newTemplate.toBool();
  std::optional<std::u16string_view> from;
  if (templatePath) {
    from = *templatePath;
  }
  auto document = Document::create(application_->sessionPtr(), *application_,
                                   application_->nextNewName(asTemplate), from, asTemplate);
  application_->addDocument(document);
  return document;
}

void Documents::close(const Variant& saveChanges, const Variant& /*originalFormat*/,
                      const Variant& /*routeDocument*/) {
  application_->closeAllDocuments(saveChanges);
}

}  // namespace r58046::simword
