// Word's per-user settings between runs of simword.exe: what the native build keeps in
// memory for every Word of a scenario (options, user address, startup task pane, command
// bars), kept here in the user's registry so that a Word started after another one quit
// finds what the first one left, as Word 2003 finds it in the registry and Normal.dot.
#pragma once

#include <memory>
#include <string>

#include "simword/options.h"

namespace r58046::winhost {

// The settings as one text, a line per setting; strings escaped (\\, \n, \r, \t).
std::u16string serialize(const simword::WordSettings& settings);
// Puts what a text holds into settings (lines it does not know are left out).
void deserialize(std::u16string_view text, simword::WordSettings& settings);

}  // namespace r58046::winhost
