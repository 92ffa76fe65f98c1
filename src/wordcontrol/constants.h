// The constants of Word 2003's window and automation class that the module relies on.
#pragma once

#include <string_view>

namespace r58046::wordcontrol {

inline constexpr std::u16string_view kProgIdWord = u"Word.application.11";
// Word's main window (class names match without regard to case).
inline constexpr std::u16string_view kClasseWord = u"OPUSAPP";
inline constexpr std::u16string_view kTitreSansDocument = u"Microsoft Word";
inline constexpr std::u16string_view kSuffixeTitre = u" - Microsoft Word";
// The Office Assistant's balloon.
inline constexpr std::u16string_view kClasseBallon = u"MSOBALLOON";
// The buffer of GetWindowTextA and GetClassNameA.
inline constexpr int32_t kTailleTampon = 255;
// The folder of the exercises' templates, inside Word's user-templates folder.
inline constexpr std::u16string_view kDossierModeles = u"Oxel Modèles";

}  // namespace r58046::wordcontrol
