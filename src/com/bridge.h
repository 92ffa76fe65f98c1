// The bridges between the automation layer and COM, both ways:
// - the client side (client.h): a COM object's IDispatch (Word in another process, or any
//   automation server) seen as an automation::Dispatch, invoked by name as VB's late binding
//   invokes it;
// - the server side (server.h): an automation::Dispatch served as IDispatch (and, in derived
//   classes, through a dual interface's table of functions), answering failures as a VB
//   component raises them.
// Values cross as VARIANTs with VB's kinds (values.h); failures cross as HRESULTs, EXCEPINFO
// and IErrorInfo one way and as AutomationErrors with VB's error numbers the other way
// (errors.h). COM resources are held by the owners of owners.h.
//
// Everything here runs on the thread of one single-threaded apartment; no C++ exception
// leaves a COM method.
#pragma once

#include "com/client.h"
#include "com/errors.h"
#include "com/owners.h"
#include "com/server.h"
#include "com/values.h"
