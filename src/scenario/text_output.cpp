#include "scenario/text_output.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "automation/text.h"
#include "scenario/runner.h"

namespace r58046::scenario {

using automation::Variant;

std::u16string numberText(int64_t value) {
  return automation::fromUtf8(std::to_string(value));
}

std::u16string describeError(const automation::AutomationError& error) {
  std::u16string out = u"error " + numberText(error.number());
  if (error.number() < 0) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "&H%08X", static_cast<uint32_t>(error.number()));
    out += u" (" + automation::fromUtf8(hex) + u")";
  }
  std::u16string description = error.description().empty()
                                   ? automation::standardDescription(error.number())
                                   : error.description();
  if (!description.empty()) {
    out += u": " +
           automation::replaceAll(automation::replaceAll(description, u"\r", u""), u"\n", u" ");
  }
  return out;
}

std::u16string describeValue(const Variant& value) {
  return value.describe();
}

std::u16string inQuotes(std::u16string_view text) {
  return u"\"" + std::u16string(text) + u"\"";
}

std::u16string escapeControls(std::u16string_view text) {
  return automation::escapeText(text);
}

std::u16string pathText(const std::filesystem::path& path) {
  return automation::fromUtf8(path.string());
}

std::string jsonString(std::u16string_view text) {
  return automation::toUtf8(u"\"" + automation::escapeText(text, u"\\\"", true) + u"\"");
}

size_t displayWidth(std::string_view utf8) {
  return static_cast<size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// --- verdicts and reports

namespace {

std::optional<bool> asBool(const std::optional<Variant>& v) {
  if (!v) {
    return std::nullopt;
  }
  try {
    return v->toBool();
  } catch (const automation::AutomationError&) {
    return std::nullopt;
  }
}

std::string utf8(std::u16string_view text) {
  return automation::toUtf8(text);
}

}  // namespace

std::u16string describeVerdict(const std::optional<Variant>& erreurGenerale,
                               const std::optional<Variant>& causeErreur,
                               const std::optional<Variant>& bravoNuance) {
  std::optional<bool> general = asBool(erreurGenerale);
  std::optional<bool> nuance = asBool(bravoNuance);
  std::optional<std::u16string> cause;
  if (causeErreur) {
    try {
      cause = causeErreur->toString();
    } catch (const automation::AutomationError&) {
      cause = causeErreur->describe();
    }
  }
  std::u16string out;
  if (general.value_or(false)) {
    out = u"general " + cause.value_or(u"?");
  } else if (cause) {
    out = cause->empty() ? u"correct" : *cause;
  } else if (general) {
    out = u"no general error";
  }
  if (nuance.value_or(false)) {
    out += out.empty() ? u"nuance" : u" + nuance";
  }
  return out.empty() ? u"-" : out;
}

std::string formatText(const std::vector<FileResult>& results) {
  std::ostringstream out;
  int passed = 0;
  int failed = 0;
  int skipped = 0;
  auto skippedLines = [&](const FileResult& r) {
    for (const auto& s : r.skipped) {
      out << r.file << ":" << s.line << ": skipped " << utf8(s.text) << " (" << utf8(s.seen)
          << ")\n";
    }
  };
  for (const auto& r : results) {
    out << formatTrace(r.file, r.trace);
    switch (r.outcome) {
      case Outcome::Passed:
        ++passed;
        break;
      case Outcome::Skipped:
        ++skipped;
        skippedLines(r);
        break;
      case Outcome::Invalid:
        ++failed;
        out << r.file;
        if (r.errorLine > 0) {
          out << ":" << r.errorLine << ":" << r.errorColumn;
        }
        out << ": " << r.error << "\n";
        break;
      case Outcome::Failed:
        ++failed;
        for (const auto& f : r.failures) {
          out << r.file;
          if (f.line > 0) {
            out << ":" << f.line;
          }
          out << ": expected " << utf8(f.expected) << ", seen " << utf8(f.seen) << "\n";
        }
        skippedLines(r);
        break;
    }
  }
  out << passed << " passed, " << failed << " failed";
  if (skipped > 0) {
    out << ", " << skipped << " skipped";
  }
  out << "\n";
  return out.str();
}

std::string formatJson(const std::vector<FileResult>& results) {
  std::ostringstream out;
  int passed = 0;
  int skipped = 0;
  out << "{\n  \"files\": [";
  for (size_t i = 0; i < results.size(); ++i) {
    const FileResult& r = results[i];
    out << (i == 0 ? "\n" : ",\n") << "    {\"file\": " << jsonString(automation::fromUtf8(r.file))
        << ", \"result\": ";
    switch (r.outcome) {
      case Outcome::Passed:
        ++passed;
        out << "\"passed\"";
        break;
      case Outcome::Failed:
        out << "\"failed\"";
        break;
      case Outcome::Skipped:
        ++skipped;
        out << "\"skipped\"";
        break;
      case Outcome::Invalid:
        out << R"("invalid", "error": )" << jsonString(automation::fromUtf8(r.error));
        if (r.errorLine > 0) {
          out << ", \"line\": " << r.errorLine << ", \"column\": " << r.errorColumn;
        }
        break;
    }
    if (r.outcome != Outcome::Invalid) {
      out << ", \"description\": " << jsonString(r.description);
      if (r.question) {
        out << ", \"question\": " << *r.question;
      }
      out << ", \"expectedVerdict\": " << jsonString(r.expectedVerdict)
          << ", \"obtainedVerdict\": " << jsonString(r.obtainedVerdict);
    }
    if (!r.trace.empty()) {
      out << ", \"trace\": " << traceJson(r.trace);
    }
    out << ", \"failures\": [";
    for (size_t k = 0; k < r.failures.size(); ++k) {
      const Failure& f = r.failures[k];
      out << (k == 0 ? "" : ", ") << "{\"line\": " << f.line << ", \"text\": " << jsonString(f.text)
          << ", \"expected\": " << jsonString(f.expected) << ", \"seen\": " << jsonString(f.seen)
          << "}";
    }
    out << "]";
    if (!r.skipped.empty()) {
      out << ", \"skipped\": [";
      for (size_t k = 0; k < r.skipped.size(); ++k) {
        const Failure& f = r.skipped[k];
        out << (k == 0 ? "" : ", ") << "{\"line\": " << f.line
            << ", \"text\": " << jsonString(f.text) << ", \"why\": " << jsonString(f.seen) << "}";
      }
      out << "]";
    }
    out << "}";
  }
  int total = static_cast<int>(results.size());
  out << (results.empty() ? "" : "\n  ") << "],\n  \"passed\": " << passed
      << ",\n  \"failed\": " << total - passed - skipped;
  if (skipped > 0) {
    out << ",\n  \"skipped\": " << skipped;
  }
  out << ",\n  \"status\": " << exitStatus(results) << "\n}\n";
  return out.str();
}

std::string formatTable(const std::vector<FileResult>& results) {
  constexpr size_t kDescriptionWidth = 48;
  std::vector<std::vector<std::string>> rows;
  rows.push_back(
      {"Question", "Scenario", "What the trainee did", "Expected", "Obtained", "Result"});
  int passed = 0;
  size_t skipped = 0;
  for (const auto& r : results) {
    std::filesystem::path p(r.file);
    std::string scenario = p.parent_path().filename().string() + "/" + p.filename().string();
    std::string description = utf8(r.description);
    if (displayWidth(description) > kDescriptionWidth) {
      std::u16string d = r.description.substr(0, kDescriptionWidth - 1);
      description = utf8(d) + "\xE2\x80\xA6";  // an ellipsis
    }
    std::string result;
    switch (r.outcome) {
      case Outcome::Passed:
        result = "pass";
        ++passed;
        break;
      case Outcome::Failed:
        result = "FAIL";
        break;
      case Outcome::Skipped:
        result = "skip";
        ++skipped;
        break;
      case Outcome::Invalid:
        result = "INVALID";
        break;
    }
    rows.push_back({r.question ? std::to_string(*r.question) : "-", scenario, description,
                    r.outcome == Outcome::Invalid ? "-" : utf8(r.expectedVerdict),
                    r.outcome == Outcome::Invalid ? "-" : utf8(r.obtainedVerdict), result});
  }
  std::vector<size_t> widths(rows[0].size(), 0);
  for (const auto& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) {
      widths[c] = std::max(widths[c], displayWidth(row[c]));
    }
  }
  std::ostringstream out;
  auto rule = [&] {
    for (size_t c = 0; c < widths.size(); ++c) {
      out << std::string(widths[c], '-') << (c + 1 < widths.size() ? "  " : "\n");
    }
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    for (size_t c = 0; c < rows[i].size(); ++c) {
      out << rows[i][c];
      if (c + 1 < rows[i].size()) {
        out << std::string(widths[c] - displayWidth(rows[i][c]) + 2, ' ');
      }
    }
    out << "\n";
    if (i == 0) {
      rule();
    }
  }
  rule();
  out << passed << " passed, " << results.size() - passed - skipped << " failed";
  if (skipped > 0) {
    out << ", " << skipped << " skipped";
  }
  out << "\n";
  return out.str();
}

}  // namespace r58046::scenario
