' The trainee sets the next style of Nom but gives it Arial 14 pt only: C.
' reference: exercises/0212/formatting-not-matched.scn
Word.ActiveDocument.Styles("Nom").NextParagraphStyle = "Texte courrier"
Word.ActiveDocument.Styles("Nom").Font.Name = "Arial"
Word.ActiveDocument.Styles("Nom").Font.Size = 14
