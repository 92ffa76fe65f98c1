' The trainee sets the left tab stop at 3 cm: C.
' reference: exercises/0201/code_c_position.scn
Set r = Word.ActiveDocument.Bookmarks("s01").Range
r.Paragraphs.TabStops.Add Word.CentimetersToPoints(3), 0
Set r = Nothing
