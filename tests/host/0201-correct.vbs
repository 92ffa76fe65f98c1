' The trainee sets one left tab stop at 2 cm after NOM.
' reference: exercises/0201/correct_cm.scn
Set r = Word.ActiveDocument.Bookmarks("s01").Range
r.Paragraphs.TabStops.Add Word.CentimetersToPoints(2), 0
Set r = Nothing
