#include "winhost/settings_store.h"

#include <string>
#include <vector>

#include "automation/text.h"
#include "automation/variant.h"

namespace r58046::winhost {
namespace {

std::u16string escape(std::u16string_view text) {
  return automation::escapeText(text, u"\\");
}

std::u16string unescape(std::u16string_view text) {
  std::u16string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    char16_t c = text[++i];
    out += c == u'n' ? u'\n' : c == u'r' ? u'\r' : c == u't' ? u'\t' : c;
  }
  return out;
}

std::vector<std::u16string_view> split(std::u16string_view text, char16_t separator) {
  std::vector<std::u16string_view> parts;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::u16string_view::npos ? end : end - start));
    if (end == std::u16string_view::npos) {
      return parts;
    }
    start = end + 1;
  }
}

std::u16string number(int32_t n) {
  std::string text = std::to_string(n);
  return std::u16string(text.begin(), text.end());
}

int32_t toNumber(std::u16string_view text) {
  double value = 0;
  return automation::parseNumber(text, value) ? static_cast<int32_t>(value) : 0;
}

}  // namespace

std::u16string serialize(const simword::WordSettings& settings) {
  std::u16string out;
  out += u"unit\t" + number(settings.measurementUnit) + u"\n";
  for (const auto& [kind, path] : settings.filePaths) {
    out += u"path\t" + number(kind) + u"\t" + escape(path) + u"\n";
  }
  out += u"address\t" + escape(settings.userAddress) + u"\n";
  out += u"startup\t" + number(settings.showStartupDialog ? 1 : 0) + u"\n";
  if (settings.commandBars) {
    out += u"tooltips\t" + number(settings.commandBars->displayTooltips ? 1 : 0) + u"\n";
    for (const auto& bar : settings.commandBars->bars) {
      out += u"bar\t" + escape(bar->name) + u"\t" + number(bar->enabled ? 1 : 0) + u"\t" +
             number(bar->visible ? 1 : 0) + u"\t" + number(bar->position) + u"\n";
    }
  }
  return out;
}

void deserialize(std::u16string_view text, simword::WordSettings& settings) {
  for (std::u16string_view line : split(text, u'\n')) {
    std::vector<std::u16string_view> f = split(line, u'\t');
    if (f[0] == u"unit" && f.size() == 2) {
      settings.measurementUnit = toNumber(f[1]);
    } else if (f[0] == u"path" && f.size() == 3) {
      settings.filePaths[toNumber(f[1])] = unescape(f[2]);
    } else if (f[0] == u"address" && f.size() == 2) {
      settings.userAddress = unescape(f[1]);
    } else if (f[0] == u"startup" && f.size() == 2) {
      settings.showStartupDialog = toNumber(f[1]) != 0;
    } else if (f[0] == u"tooltips" && f.size() == 2 && settings.commandBars) {
      settings.commandBars->displayTooltips = toNumber(f[1]) != 0;
    } else if (f[0] == u"bar" && f.size() == 5 && settings.commandBars) {
      if (auto bar = settings.commandBars->find(unescape(f[1]))) {
        bar->enabled = toNumber(f[2]) != 0;
        bar->visible = toNumber(f[3]) != 0;
        bar->position = toNumber(f[4]);
      }
    }
  }
}

}  // namespace r58046::winhost
