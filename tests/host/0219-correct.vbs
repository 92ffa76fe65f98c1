' The trainee creates a new document based on Courrier Oxel.dot in the template folder.
' reference: exercises/0219/correct.scn
Word.Documents.Add Word.Options.DefaultFilePath(2) & "\Oxel Mod" & ChrW(232) & "les\Courrier Oxel.dot"
