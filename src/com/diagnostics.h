// The diagnostic entry points of r58046.dll, for the programs that test and measure it: the
// Word-call trace of the Windows scenario runner and the benchmark's counts of round trips.
// A host has no use for them. The DLL links the module's call observer to a sink of the
// calling program; that program finds the entry points by name in the loaded DLL.
#pragma once

#include <windows.h>

#include "automation/call_observer.h"

extern "C" {

// One call the module made to Word, as the call observer was told of it. The strings
// belong to the DLL and live until the sink returns.
struct R58046WordCall {
  const wchar_t* interfaceName;  // "" when the module did not name the interface
  const wchar_t* member;         // "" for the default member
  LONG kind;                     // 0 get, 1 put, 2 call
  LONG error;                    // the error number; 0 when the call succeeded
  const wchar_t* description;    // the error's description; "" when the call succeeded
  LONG lookups;                  // the GetIDsOfNames round trips the call made
  LONG invokes;                  // the Invoke round trips the call made
};
typedef void(CALLBACK* R58046WordCallSink)(void* context, const R58046WordCall* call);

// R58046ObserveWordCalls: tells `sink` of every Word call the module makes from now on, on
// the thread that makes it; a null sink stops it.
typedef void(WINAPI* R58046ObserveWordCallsProc)(R58046WordCallSink sink, void* context);
// R58046UseIdentifierCache: the identifier cache on (the default) or off, for the
// benchmark, which measures the calls with and without it in one run.
typedef void(WINAPI* R58046UseIdentifierCacheProc)(BOOL use);

}  // extern "C"

namespace r58046::com {

// In the DLL: what its entry points do.
void observeWordCallsWith(R58046WordCallSink sink, void* context);
void useIdentifierCache(bool use);

// In a program that loaded r58046.dll (by creating its Module): tells `observer` of the
// module's Word calls, or stops when it is null. False when the DLL is not loaded here.
bool observeModuleWordCalls(automation::CallObserver* observer);
// Turns the module's identifier cache on or off. False when the DLL is not loaded here.
bool useModuleIdentifierCache(bool use);

}  // namespace r58046::com
