// A picture of Word's active document for a person at a terminal: its paragraphs with the
// bookmarks marked, and each paragraph's indents and tab stops in the user's unit.
//
//   Bulletin.doc (lengths in cm)
//      1  Nom :→[s01[Dupont]s01]¶
//         indents: left 0, first line 0; tabs: 2 left
//
// Marks: ¶ paragraph, → tab, ↵ manual line break, [page break], [column break];
// [name[ and ]name] around a bookmark, [name] for an empty one.
#pragma once

#include <string>

#include "automation/dispatch.h"

namespace r58046::scenario {

// Reads the document through automation; a part that cannot be read is shown as such.
std::u16string describeActiveDocument(const automation::ObjectRef& application);

// A length in points in a measurement unit of Word (0 inches, 1 cm, 2 mm, 3 points,
// 4 picas), with at most two decimals: "2", "11", "0.75".
std::u16string lengthInUnit(double points, int32_t unit);
std::u16string unitName(int32_t unit);

}  // namespace r58046::scenario
