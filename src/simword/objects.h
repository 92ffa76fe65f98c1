// Factories of the automation objects of a document, for the objects that reach one
// another (a Range's Sections, a Document's Styles...).
#pragma once

#include <memory>
#include <string>

#include "automation/variant.h"
#include "simword/doc_core.h"

namespace r58046::simword::docobj {

automation::ObjectRef makeParagraphs(const std::shared_ptr<DocCore>& core, SpanPtr span);
automation::ObjectRef makeSections(const std::shared_ptr<DocCore>& core, SpanPtr span);
automation::ObjectRef makeBookmarks(const std::shared_ptr<DocCore>& core);
automation::ObjectRef makeStyles(const std::shared_ptr<DocCore>& core);
// The Style object of a style of a document.
automation::ObjectRef makeStyle(const std::shared_ptr<DocCore>& core, StyleId id);
automation::ObjectRef makeFormFields(const std::shared_ptr<DocCore>& core);
automation::ObjectRef makeEnvelope(const std::shared_ptr<DocCore>& core);
// A Template object: Name (its default member), Path and FullName.
automation::ObjectRef makeTemplate(const std::shared_ptr<WordSession>& session,
                                   std::u16string fullName);

}  // namespace r58046::simword::docobj
