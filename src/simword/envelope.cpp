// The envelope of a document (Tools > Letters and Mailings > Envelopes, "Add to Document"):
// Word puts it in a section of its own in front of the letter, the return address first,
// then the delivery address, each line a paragraph.
#include "automation/error.h"
#include "automation/text.h"
#include "simword/objects.h"
#include "simword/range.h"

namespace r58046::simword::docobj {

using automation::CallArgs;
using automation::MemberTable;

namespace {

// Address lines as Word takes them: a carriage return, a line feed or both end a line.
std::u16string addressLines(std::u16string text) {
  text = automation::replaceAll(text, u"\r\n", u"\r");
  for (auto& c : text) {
    if (c == u'\n') {
      c = kParagraphMark;
    }
  }
  return text;
}

}  // namespace

class Envelope : public SimObject<Envelope> {
 public:
  explicit Envelope(std::shared_ptr<DocCore> core)
      : SimObject(core->session), core_(std::move(core)) {}

  static const MemberTable<Envelope>& members() {
    static const auto table =
        MemberTable<Envelope>()
            .raw(u"Insert",
                 {u"ExtractAddress",
                  u"Address",
                  u"AutoText",
                  u"OmitReturnAddress",
                  u"ReturnAddress",
                  u"ReturnAutoText",
                  u"PrintBarCode",
                  u"PrintFIMA",
                  u"Size",
                  u"Height",
                  u"Width",
                  u"FeedSource",
                  u"AddressFromLeft",
                  u"AddressFromTop",
                  u"ReturnAddressFromLeft",
                  u"ReturnAddressFromTop",
                  u"DefaultFaceUp",
                  u"DefaultOrientation",
                  u"PrintEPostage",
                  u"Vertical"},
                 {}, {},
                 [](Envelope& self, CallArgs& a) {
                   self.insert(a);
                   return Variant();
                 })
            .get(u"Address", &Envelope::address)
            .get(u"ReturnAddress", &Envelope::returnAddress)
            .prop(u"DefaultFaceUp", &Envelope::defaultFaceUp, &Envelope::setDefaultFaceUp);
    return table;
  }

  // Envelope.Insert: a first section holding the envelope (replacing the envelope section
  // when the document has one already).
  void insert(CallArgs& a) {
    core_->requireEditable();
    std::u16string address = a.has(1) ? addressLines(a[1].toString()) : std::u16string();
    bool omitReturn = a.has(3) && a[3].toBool();
    std::u16string ret = a.has(4) && !omitReturn ? addressLines(a[4].toString()) : std::u16string();
    Content& c = core_->c();
    EnvelopeData& env = c.envelope();
    if (env.present && c.sectionCount() > 1) {
      auto [first, last] = c.sectionParagraphs(0);
      (void)first;
      c.replace(0, c.paragraph(last).end, {});
    }
    StyleSheet& styles = c.styles();
    StyleId addressStyle = styles.byBuiltin(kStyleEnvelopeAddress)->id;
    StyleId returnStyle = styles.byBuiltin(kStyleEnvelopeReturn)->id;
    std::u16string text;
    std::vector<ParagraphSpec> specs;
    auto lines = [&](const std::u16string& block, StyleId style, bool lastEndsSection) {
      text += block;
      for (size_t i = 0; i < block.size(); ++i) {
        if (block[i] == kParagraphMark) {
          specs.push_back(
              ParagraphSpec{style, {}, 0, static_cast<int32_t>(text.size() - block.size() + i)});
        }
      }
      specs.push_back(ParagraphSpec{style,
                                    {},
                                    lastEndsSection ? kSectionBreakNextPage : 0,
                                    static_cast<int32_t>(text.size())});
      text += lastEndsSection ? kPageBreak : kParagraphMark;
    };
    if (!ret.empty()) {
      lines(ret, returnStyle, false);
    }
    auto addressStart = static_cast<int32_t>(text.size());
    lines(address, addressStyle, true);
    c.replace(0, 0, text, {}, &specs);
    env.present = true;
    env.returnAddress = c.track(0, static_cast<int32_t>(ret.size()));
    env.address = c.track(addressStart, addressStart + static_cast<int32_t>(address.size()));
    if (a.has(16)) {
      env.defaultFaceUp = a[16].toBool();
    }
    core_->changed();
  }

  ObjectRef address() const { return addressRange(false); }
  ObjectRef returnAddress() const { return addressRange(true); }

  bool defaultFaceUp() const {
    core_->requireOpen();
    return core_->c().envelope().defaultFaceUp;
  }

  void setDefaultFaceUp(bool faceUp) {
    core_->requireOpen();
    core_->c().envelope().defaultFaceUp = faceUp;
  }

 private:
  // Word's 5852 when the document has no envelope.
  ObjectRef addressRange(bool returnAddress) const {
    core_->requireOpen();
    const EnvelopeData& env = core_->c().envelope();
    const SpanPtr& span = returnAddress ? env.returnAddress : env.address;
    if (!env.present || !span) {
      raiseWordError(wderrors::kObjectNotAvailable);
    }
    auto [s, e] = core_->bounds(span);
    return makeRange(core_, s, e);
  }

  std::shared_ptr<DocCore> core_;
};

ObjectRef makeEnvelope(const std::shared_ptr<DocCore>& core) {
  return std::make_shared<Envelope>(core);
}

}  // namespace r58046::simword::docobj
