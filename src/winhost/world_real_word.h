// The world of a scenario file against a real Word: whatever answers to
// "Word.Application.11", reached only as any automation client reaches it (COM by ProgID,
// the running object table, Word's own windows). Nothing of the simulated Word's side
// channels is used, so the same scenarios check the module against Word 2003 itself.
//
// What only the simulated Word can stage cannot be played here: `desktop` and `fault` lines,
// and a `file` attribute that the system refuses, are skipped (scenario::LineNotPlayable).
// Word's folders are its own ($DOCS and $USERTEMPLATES are what its options say); $WORK is a
// new temporary folder per file.
#pragma once

#include <memory>
#include <string>

#include "scenario/world.h"

namespace r58046::winhost {

// The Word that answered, as it names itself.
struct RealWordIdentity {
  std::u16string name;             // Application.Name ("Microsoft Word")
  std::u16string version;          // Application.Version ("11.0" for Word 2003)
  std::u16string build;            // Application.Build, or "unknown" when Word does not answer it
  std::u16string documentsFolder;  // Options.DefaultFilePath(wdDocumentsPath)
  std::u16string userTemplatesFolder;  // Options.DefaultFilePath(wdUserTemplatesPath)
};

// Whether the class registered as "Word.Application.11" is the simulated Word (simword.exe).
bool simulatedWordRegistered();

// Starts the Word that answers to "Word.Application.11" through automation once per process,
// reads who it is and its folders, and quits it. std::runtime_error when no Word answers, or
// when a Word runs already (its user's documents are not for the scenarios).
const RealWordIdentity& realWordIdentity();

// "Microsoft Word, Version 11.0, Build 11.0.5604".
std::u16string describeRealWord(const RealWordIdentity& word);

// A new world against the real Word; std::runtime_error as makeWindowsWorld.
std::unique_ptr<scenario::World> makeRealWordWorld();

}  // namespace r58046::winhost
