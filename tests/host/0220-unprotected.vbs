' The trainee unprotects the form and ticks the right boxes: general code D.
' reference: exercises/0220/protection-removed.scn
Word.ActiveDocument.Unprotect
Word.ActiveDocument.FormFields(1).CheckBox.Value = True
Word.ActiveDocument.FormFields(3).CheckBox.Value = True
