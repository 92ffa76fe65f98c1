// The table of the document check, question by question, against the facts as the exercises
// state them: grouped by what they need, so that a row changed in the table shows here.
#include "module/document_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using r58046::module::ControleDocument;
using r58046::module::ControleDocumentDe;
using r58046::module::DocumentExige;
using Signets = std::vector<std::u16string_view>;

bool among(int32_t question, std::initializer_list<int32_t> questions) {
  return std::find(questions.begin(), questions.end(), question) != questions.end();
}

// What each question needs, from the exercises' own lists.
ControleDocument expected(int32_t question) {
  ControleDocument c;
  if (among(question, {216, 217, 219, 221})) {
    c.document = DocumentExige::Aucun;
  } else if (question == 207) {
    c.document = DocumentExige::Quelconque;
  } else if (question == 220) {
    c.document = DocumentExige::FormulaireProtege;
  }
  c.memesParagraphes = !among(question, {203, 205, 207, 208, 215, 216, 217, 219, 221});
  if (among(question, {207, 209, 210, 213, 215})) {
    c.signets = {u"e01"};
  } else if (among(question, {201, 202, 204, 206, 212, 218})) {
    c.signets = {u"e01", u"s01"};
  } else if (among(question, {203, 205, 208, 211, 214})) {
    c.signets = {u"e01", u"s01", u"s02"};
  }
  if (among(question, {208, 212})) {
    c.signets.emplace_back(u"t01");
  }
  return c;
}

std::string describe(const ControleDocument& c) {
  std::string text = "document " + std::to_string(static_cast<int>(c.document)) +
                     (c.memesParagraphes ? ", same paragraph count" : ", any paragraph count") +
                     ", bookmarks";
  for (std::u16string_view s : c.signets) {
    text += " " + std::string(s.begin(), s.end());
  }
  return text;
}

class DocumentCheckTable : public testing::TestWithParam<int32_t> {};

TEST_P(DocumentCheckTable, RowIsWhatTheExerciseNeeds) {
  const int32_t question = GetParam();
  EXPECT_EQ(describe(ControleDocumentDe(question)), describe(expected(question)));
}

INSTANTIATE_TEST_SUITE_P(Questions, DocumentCheckTable, testing::Range(201, 222),
                         [](const testing::TestParamInfo<int32_t>& info) {
                           return "Question" + std::to_string(info.param);
                         });

TEST(DocumentCheckTable, ANumberWithoutQuestionGetsThePlainCheck) {
  const ControleDocument plain{DocumentExige::Exercice, true, {}};
  for (int32_t question : {0, 200, 222, -1}) {
    EXPECT_EQ(ControleDocumentDe(question), plain) << question;
  }
}

}  // namespace
