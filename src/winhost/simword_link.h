// What simword.exe (the simulated Word served out of process) and the programs that drive
// it from outside automation share: its class identifier, its control window, the per-user
// registry key that carries a scenario's folders, Word's saved settings and waiting faults,
// and the name under which each simword.exe puts its Application in the running object table.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "automation/dispatch.h"

namespace r58046::winhost {

// The class of the simulated Word, registered as LocalServer32 under "Word.Application.11"
// and "Word.Application".
inline constexpr CLSID kSimWordClass = {
    0x9321e447, 0x1a9e, 0x4dff, {0x9c, 0x9d, 0xb3, 0x6a, 0xa8, 0x48, 0xe8, 0xe0}};
inline constexpr const wchar_t* kWordProgId = L"Word.Application.11";
inline constexpr const wchar_t* kWordIndependentProgId = L"Word.Application";

// A message-only window per simword.exe, named "<process id> <start time>" (the start time
// in 100 ns units since 1601, in hexadecimal). Commands are WM_COPYDATA with this tag and
// the command's text in UTF-16: the desktop events of a scenario ("dialog CAPTION",
// "dialog-in-dialog", "balloon", "minimize", "hide", "close-word", "embedded-edit"),
// "fault MEMBER N ERROR", "calls [MEMBER]" (answers the number of calls Word answered, to
// that member or in all), "reset-calls", "window" (answers the main window's handle) and
// "exit" (ends the process without a trace in Word's settings). The answer is the message's
// result; -1 for an unknown command.
inline constexpr const wchar_t* kControlClass = L"R58046.SimWord.Control";
inline constexpr ULONG_PTR kCommandTag = 0x58465346;

// HKEY_CURRENT_USER\Software\R58046\SimWord: DocumentsFolder and UserTemplatesFolder (the
// folders of a new Word user), Settings (what Word keeps per user, written as it changes),
// PendingFaults (faults for the next Word that starts, one per line: member, occurrence
// and error separated by tabs) and SavePrompt (how the person answers when Word asks
// whether to save a changed document it closes: "yes", "no" or "cancel"; no when absent).
inline constexpr const wchar_t* kUserKey = L"Software\\R58046\\SimWord";

// The item name of a simword.exe's Application in the running object table.
std::wstring applicationItem(DWORD processId);

bool writeUserValue(const wchar_t* name, const std::wstring& value);
std::optional<std::wstring> readUserValue(const wchar_t* name);
void deleteUserValue(const wchar_t* name);

// --- the driving side

struct SimWordProcess {
  DWORD processId = 0;
  uint64_t started = 0;
  HWND control = nullptr;
};

// The simword.exe processes that run, oldest first.
std::vector<SimWordProcess> runningSimWords();
// Ends every simword.exe, listed or already ending, and waits (bounded, then terminates)
// until no simword.exe process is left.
void endAllSimWords();
// Sends a command; -1 when the window is gone or the command unknown.
LRESULT sendCommand(HWND control, const std::u16string& command);
// The Application of a running simword.exe (from the running object table); empty when it
// has none registered.
automation::ObjectRef applicationOf(DWORD processId);

}  // namespace r58046::winhost
