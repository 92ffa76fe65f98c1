#include "scenario/document_view.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "automation/error.h"
#include "automation/text.h"
#include "scenario/text_output.h"

namespace r58046::scenario {

using automation::AutomationError;
using automation::Object;

namespace {

double pointsPerUnit(int32_t unit) {
  switch (unit) {
    case 0:
      return 72.0;
    case 1:
      return 28.35;
    case 2:
      return 2.835;
    case 4:
      return 12.0;
    default:
      return 1.0;
  }
}

std::u16string alignmentName(int32_t alignment) {
  switch (alignment) {
    case 0:
      return u"left";
    case 1:
      return u"center";
    case 2:
      return u"right";
    case 3:
      return u"decimal";
    case 4:
      return u"bar";
    case 6:
      return u"list";
    default:
      return u"alignment " + numberText(alignment);
  }
}

std::u16string leaderName(int32_t leader) {
  switch (leader) {
    case 0:
      return u"";
    case 1:
      return u" dots";
    case 2:
      return u" dashes";
    case 3:
      return u" lines";
    case 4:
      return u" heavy";
    case 5:
      return u" middle dots";
    default:
      return u" leader " + numberText(leader);
  }
}

// The text of a paragraph as a person reads it.
std::u16string visible(char16_t c) {
  switch (c) {
    case 13:
      return u"\u00B6";
    case 9:
      return u"\u2192";
    case 11:
      return u"\u21B5";
    case 12:
      return u"[page break]";
    case 14:
      return u"[column break]";
    default:
      if (c < 32) {
        return u"<" + numberText(c) + u">";
      }
      return std::u16string(1, c);
  }
}

struct Mark {
  int32_t position;
  int order;  // at one position: ends before starts
  std::u16string text;
};

}  // namespace

std::u16string unitName(int32_t unit) {
  switch (unit) {
    case 0:
      return u"in";
    case 1:
      return u"cm";
    case 2:
      return u"mm";
    case 4:
      return u"pi";
    default:
      return u"pt";
  }
}

std::u16string lengthInUnit(double points, int32_t unit) {
  double value = std::round(points / pointsPerUnit(unit) * 100.0) / 100.0;
  if (value == 0) {
    value = 0;  // no "-0"
  }
  return automation::formatNumber(value, 15);
}

std::u16string describeActiveDocument(const automation::ObjectRef& application) {
  std::u16string out;
  auto unavailable = [](const AutomationError& e) {
    return u"(cannot be read: " + describeError(e) + u")";
  };
  Object app(application);
  Object doc;
  try {
    doc = Object(app.get(u"ActiveDocument"));
  } catch (const AutomationError& e) {
    return u"No active document " + unavailable(e) + u"\n";
  }
  int32_t unit = 1;
  try {
    unit = Object(app.get(u"Options")).get(u"MeasurementUnit").toLong();
  } catch (const AutomationError&) {
    unit = 3;  // points, which need no conversion
  }
  try {
    out += doc.get(u"Name").toString();
  } catch (const AutomationError& e) {
    out += unavailable(e);
  }
  out += u" (lengths in " + unitName(unit) + u")\n";

  std::vector<Mark> marks;
  try {
    Object bookmarks(doc.get(u"Bookmarks"));
    int32_t count = bookmarks.get(u"Count").toLong();
    for (int32_t k = 1; k <= count; ++k) {
      Object b(bookmarks.get(u"Item", k));
      std::u16string name = b.get(u"Name").toString();
      int32_t start = b.get(u"Start").toLong();
      int32_t end = b.get(u"End").toLong();
      if (start == end) {
        marks.push_back(Mark{start, 1, u"[" + name + u"]"});
      } else {
        marks.push_back(Mark{start, 2, u"[" + name + u"["});
        marks.push_back(Mark{end, 0, u"]" + name + u"]"});
      }
    }
  } catch (const AutomationError& e) {
    out += u"  bookmarks " + unavailable(e) + u"\n";
  }
  std::stable_sort(marks.begin(), marks.end(), [](const Mark& a, const Mark& b) {
    return a.position != b.position ? a.position < b.position : a.order < b.order;
  });

  Object paragraphs;
  int32_t count = 0;
  try {
    paragraphs = Object(doc.get(u"Paragraphs"));
    count = paragraphs.get(u"Count").toLong();
  } catch (const AutomationError& e) {
    return out + u"  paragraphs " + unavailable(e) + u"\n";
  }
  size_t nextMark = 0;
  for (int32_t i = 1; i <= count; ++i) {
    std::u16string number = numberText(i);
    out += std::u16string(std::max<size_t>(4, number.size()) - number.size() + 1, u' ') + number +
           u"  ";
    try {
      Object p(paragraphs.get(u"Item", i));
      Object range(p.get(u"Range"));
      std::u16string text = range.get(u"Text").toString();
      int32_t start = range.get(u"Start").toLong();
      int32_t end = range.get(u"End").toLong();
      bool last = i == count;
      for (int32_t pos = start; pos <= end; ++pos) {
        // Marks at the end of a paragraph belong to the next one, except after the last.
        while (nextMark < marks.size() && marks[nextMark].position == pos && (pos < end || last)) {
          out += marks[nextMark++].text;
        }
        while (nextMark < marks.size() && marks[nextMark].position < pos) {
          ++nextMark;  // a mark inside a part that could not be read
        }
        auto index = static_cast<size_t>(pos - start);
        if (pos < end && index < text.size()) {
          out += visible(text[index]);
        }
      }
      out += u"\n        indents: left " + lengthInUnit(p.get(u"LeftIndent").toDouble(), unit) +
             u", first line " + lengthInUnit(p.get(u"FirstLineIndent").toDouble(), unit);
      Object tabs(p.get(u"TabStops"));
      int32_t tabCount = tabs.get(u"Count").toLong();
      out += u"; tabs:";
      if (tabCount == 0) {
        out += u" none";
      }
      for (int32_t t = 1; t <= tabCount; ++t) {
        Object tab(tabs.get(u"Item", t));
        out += (t == 1 ? u" " : u", ") + lengthInUnit(tab.get(u"Position").toDouble(), unit) +
               u" " + alignmentName(tab.get(u"Alignment").toLong()) +
               leaderName(tab.get(u"Leader").toLong());
      }
      out += u"\n";
    } catch (const AutomationError& e) {
      out += unavailable(e) + u"\n";
    }
  }
  return out;
}

}  // namespace r58046::scenario
