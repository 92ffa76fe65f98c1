#include "core/api.h"

#include <exception>

#include "automation/text.h"

namespace r58046::module {

using automation::AutomationError;

void PropageErreur(std::u16string_view classe, std::u16string_view procedure,
                   std::u16string_view source) {
  std::u16string context;
  context.append(u"DLL R58046 - CLASSE ");
  context.append(classe);
  context.push_back(u'\n');
  context.push_back(u'\r');
  context.append(u" - SERVICE ");
  context.append(procedure);
  context.append(u" - OBJET ");
  context.append(source);

  // The error being handled keeps its number and description; only its source changes.
  if (std::exception_ptr current = std::current_exception()) {
    try {
      std::rethrow_exception(current);
    } catch (const AutomationError& e) {
      throw AutomationError(e.number(), std::move(context), e.description());
    } catch (const std::exception& e) {
      automation::raiseError(automation::errors::kInvalidProcedureCall,
                             automation::fromUtf8(e.what()), context);
    } catch (...) {
    }
  }
  // Called outside a failure, or for something that is no automation error.
  automation::raiseError(automation::errors::kInvalidProcedureCall, {}, context);
}

}  // namespace r58046::module
