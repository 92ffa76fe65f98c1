' The trainee gives the style Nom the next style Texte courrier and the formatting of PourTest.
' reference: exercises/0212/correct.scn
Set nom = Word.ActiveDocument.Styles("Nom")
nom.NextParagraphStyle = "Texte courrier"
nom.Font.Name = "Arial"
nom.Font.Size = 14
nom.Font.Bold = True
nom.Font.Italic = False
nom.ParagraphFormat.SpaceAfter = 6
Set nom = Nothing
