#include "automation/error.h"
#include "platform/platform.h"

namespace r58046::platform {

namespace {

#ifdef _WIN32
bool isLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
#endif

}  // namespace

bool isAbsolutePath(std::u16string_view path) {
#ifdef _WIN32
  // "C:\...": a drive and its root ("C:..." alone is relative to that drive's current folder).
  if (path.size() >= 3 && isLetter(path[0]) && path[1] == u':' && isSeparator(path[2])) {
    return true;
  }
  // "\\server\share\...": two separators, then a name.
  return path.size() >= 3 && isSeparator(path[0]) && isSeparator(path[1]) && !isSeparator(path[2]);
#else
  return !path.empty() && path.front() == u'/';
#endif
}

void refuseDeletion(std::u16string_view path, std::u16string_view why) {
  automation::raiseError(
      automation::errors::kPermissionDenied,
      u"Deletion refused (" + std::u16string(why) + u"): \"" + std::u16string(path) + u"\"");
}

}  // namespace r58046::platform
