// How r58046.dll serves its own classes: Module through the host's dual interface
// AbstractModule, ComplementInfo through the host's ComplementInfo, the working-file list
// and the public question classes through their own dual interfaces; any other object as
// plain IDispatch. Every function catches its failures: they reach the host as a VB
// component raises them (an HRESULT of the control facility and IErrorInfo; EXCEPINFO when
// called through IDispatch).
#pragma once

#include "com/bridge.h"

namespace r58046::com {

// The ServerMaker of the DLL (installed when the DLL is loaded).
ServerBase* makeDllServer(const automation::ObjectRef& object);

// The type library embedded in the DLL, loaded on first use (null when it cannot be).
ITypeLib* embeddedTypeLibrary();
// Where the DLL lives, for the type library and the registration.
void setDllInstance(HINSTANCE instance);
HINSTANCE dllInstance();

}  // namespace r58046::com
