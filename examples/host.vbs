' host.vbs: a host of the question module R58046, written in VBScript and run by the
' Windows Script Host. It plays one exercise as the training application does:
'
'   cscript //nologo host.vbs QUESTION WORKFOLDER MASTERFOLDER [ANSWER.vbs]
'
'   1. It delivers the question's master files (058046NN.doc or .dot, 158046NN.doc, NN the
'      last two digits of QUESTION) from MASTERFOLDER into the working folder WORKFOLDER.
'   2. It creates the module (ProgID "R58046.Module") and calls InitQuestion with the
'      question, the working folder, the Word it holds (Nothing at first) and Word's window
'      handle (-1 for none). VBScript passes every argument by reference: the module hands
'      Word and its window handle back through the same variables.
'   3. The trainee works in Word. Here the statements of ANSWER.vbs stand in for the trainee:
'      they run with the variable Word holding Word's Application.
'   4. It asks for the verdict (TestePoint), reads ErreurGenerale, CauseErreur, BravoNuance
'      and Complement, and prints them with a one-line verdict: "correct", the result code,
'      or "general CODE", followed by " + nuance" when BravoNuance is True.
'   5. It ends the exercise (Fermer) and the session (Quitter: the module quits the Word
'      that it started, and the Word variable comes back as Nothing).
'
' A failed call prints its error number, its description and its source, the module's call
' trace ("DLL R58046 - CLASSE ... - SERVICE ... - OBJET ...", one level a line); the
' script then still ends the session, and exits with code 1. The module needs Word 2003
' (or what answers to "Word.Application.11") and r58046.dll registered (register.cmd).
Option Explicit

Dim fso, question, work, masters, answer, failed
Set fso = CreateObject("Scripting.FileSystemObject")
failed = False

If WScript.Arguments.Count < 3 Then
  WScript.Echo "usage: cscript //nologo host.vbs QUESTION WORKFOLDER MASTERFOLDER [ANSWER.vbs]"
  WScript.Quit 2
End If
question = CLng(WScript.Arguments(0))
work = WithSeparator(WScript.Arguments(1))
masters = WithSeparator(WScript.Arguments(2))
answer = ""
If WScript.Arguments.Count > 3 Then answer = WScript.Arguments(3)

' 1. The host's delivery of the master files.
If Not fso.FolderExists(work) Then fso.CreateFolder Left(work, Len(work) - 1)
DeliverMasterFiles question, masters, work

' 2. The module, and the exercise set up in Word.
Dim module, word, handle
Set module = CreateObject("R58046.Module")
Set word = Nothing
handle = -1

On Error Resume Next
module.InitQuestion question, work, word, handle, ""
If Reported("InitQuestion") Then
  EndSession
  WScript.Quit 1
End If
On Error GoTo 0
WScript.Echo "InitQuestion " & question & ": Word " & word.Version & ", window " & handle

' 3. The trainee's answer.
If answer <> "" Then
  Dim statements
  statements = fso.OpenTextFile(answer, 1).ReadAll
  On Error Resume Next
  ExecuteGlobal statements
  Reported "the answer " & answer
  On Error GoTo 0
End If

' 4. The verdict. A host reads the results also after a failed TestePoint.
Dim general, cause, nuance, complement, count, i
On Error Resume Next
module.TestePoint
Reported "TestePoint"
general = module.ErreurGenerale
Reported "ErreurGenerale"
cause = module.CauseErreur
Reported "CauseErreur"
nuance = module.BravoNuance
Reported "BravoNuance"
Set complement = module.Complement
Reported "Complement"
count = 0
If Not complement Is Nothing Then count = complement.count
On Error GoTo 0
WScript.Echo "ErreurGenerale = " & general
WScript.Echo "CauseErreur = """ & cause & """"
WScript.Echo "BravoNuance = " & nuance
WScript.Echo "Complement.count = " & count
For i = 1 To count
  WScript.Echo "Complement(" & i & ") = """ & complement.item(i) & """"
Next
WScript.Echo "Verdict: " & Verdict(general, cause, nuance)
Set complement = Nothing

' 5. The end of the exercise and of the session.
On Error Resume Next
module.Fermer
Reported "Fermer"
On Error GoTo 0
EndSession
If failed Then WScript.Quit 1
WScript.Quit 0

' Quitter with the Word and window handle the host holds; the module quits the Word it
' started itself and hands back Nothing and 0.
Sub EndSession()
  On Error Resume Next
  module.Quitter word, handle
  Reported "Quitter"
  On Error GoTo 0
  If word Is Nothing Then
    WScript.Echo "Quitter: Word released, window " & handle
  Else
    WScript.Echo "Quitter: Word left running, window " & handle
  End If
  Set module = Nothing
End Sub

' Whether the last call failed; prints its error when it did.
Function Reported(what)
  Dim number, description, source
  number = Err.Number
  description = Err.Description
  source = Err.Source
  Reported = (number <> 0)
  If number <> 0 Then
    failed = True
    WScript.Echo what & " failed: error " & number & ": " & description
    ' Each level of the call trace ends with a line feed and a carriage return.
    WScript.Echo "  source: " & Replace(Replace(source, vbLf & vbCr, vbCrLf & "    "), vbLf, " ")
    Err.Clear
  End If
End Function

Function Verdict(general, cause, nuance)
  Dim text
  If general Then
    text = "general " & cause
  ElseIf cause = "" Then
    text = "correct"
  Else
    text = cause
  End If
  If nuance Then text = text & " + nuance"
  Verdict = text
End Function

Function WithSeparator(folder)
  If Right(folder, 1) = "\" Then
    WithSeparator = folder
  Else
    WithSeparator = folder & "\"
  End If
End Function

' What the host puts in the working folder: the question's master files that exist, each
' only where no file of that name is yet.
Sub DeliverMasterFiles(q, source, destination)
  Dim number, prefix, extension, name
  number = Right("0" & (q - 200), 2)
  For Each prefix In Array("058046", "158046")
    For Each extension In Array(".doc", ".dot")
      name = prefix & number & extension
      If fso.FileExists(source & name) And Not fso.FileExists(destination & name) Then
        fso.CopyFile source & name, destination & name
      End If
    Next
  Next
End Sub
