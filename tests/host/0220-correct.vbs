' The trainee ticks the first and the third box of the protected form.
' reference: exercises/0220/correct.scn
Word.ActiveDocument.FormFields(1).CheckBox.Value = True
Word.ActiveDocument.FormFields(3).CheckBox.Value = True
