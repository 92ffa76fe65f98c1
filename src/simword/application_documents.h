// Application.Documents: the open documents, in the order they were opened or created.
#pragma once

#include <cstdint>
#include <memory>

#include "automation/members.h"
#include "simword/session.h"

namespace r58046::simword {

class Application;

// Count; Item(index, or name or full name without regard to case; Word's error 5941 for a
// missing one); Open(FileName and 15 more optional arguments): a file open already is
// activated and answered, a missing file fails with Word's error 5174; Add(Template,
// NewTemplate, DocumentType, Visible): "DocumentN", or "TemplateN" with NewTemplate, from
// the template given (a bare name is looked up in the user-templates folder; "Normal" is
// the blank document); Close(SaveChanges, OriginalFormat, RouteDocument): every document,
// as Document.Close, unsaved changes not saved unless SaveChanges is wdSaveChanges.
class Documents : public SimObject<Documents> {
 public:
  explicit Documents(std::shared_ptr<Application> application);
  static const automation::MemberTable<Documents>& members();

  int32_t count() const;
  automation::ObjectRef item(const automation::Variant& index);
  automation::ObjectRef open(automation::CallArgs& args);
  automation::ObjectRef add(const automation::Variant& templateName,
                            const automation::Variant& newTemplate,
                            const automation::Variant& documentType,
                            const automation::Variant& visible);
  void close(const automation::Variant& saveChanges, const automation::Variant& originalFormat,
             const automation::Variant& routeDocument);
  automation::ObjectRef application() const;

 private:
  std::shared_ptr<Application> application_;
};

}  // namespace r58046::simword
