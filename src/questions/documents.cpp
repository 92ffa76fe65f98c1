#include "questions/documents.h"

#include "automation/text.h"
#include "automation/variant.h"
#include "platform/platform.h"

namespace r58046::questions {

int16_t Entier16(int32_t value) {
  return automation::Variant(value).toInteger();
}

int32_t IndexDocument(const word::Documents& documents, int16_t n,
                      std::initializer_list<std::u16string_view> noms) {
  int32_t i = 1;
  for (; i <= n; ++i) {
    const std::u16string nom = automation::lower(documents.Item(Entier16(i)).Name());
    for (std::u16string_view cherche : noms) {
      if (nom == cherche) {
        return i;
      }
    }
  }
  return i;
}

int32_t IndexStyle(const word::Styles& styles, int32_t n, std::u16string_view nom) {
  int32_t i = 1;
  for (; i <= n; ++i) {
    if (automation::lower(styles.Item(Entier16(i)).NameLocal()) == nom) {
      return i;
    }
  }
  return i;
}

std::u16string AttacheModele(const word::Application& application, const std::u16string& chemin) {
  application.ActiveDocument().PutAttachedTemplate(chemin);
  return application.ActiveDocument().AttachedTemplate().Path() + platform::kSeparator;
}

}  // namespace r58046::questions
