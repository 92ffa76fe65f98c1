// Question 0209: the zoom of the document window of "Bulletin.doc" set to 75 %. Only the
// active pane of Word's active window counts; the document's content does not.
#include <cstdint>
#include <memory>
#include <string_view>

#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

constexpr int32_t kPourcentage = 75;

class Question0209 : public Question<Question0209> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0209";

  explicit Question0209(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804609.doc", u"Bulletin.doc", false);
  }

  void Evalue() {
    if (mApplication.ActiveWindow().ActivePane().View().Zoom().Percentage() != kPourcentage) {
      msCauseErreur = u"A";
    }
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0209(const platform::Platform& platform) {
  return std::make_shared<Question0209>(platform);
}

}  // namespace r58046::questions
