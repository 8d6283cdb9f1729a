// The machine forms of the check's findings: a JSON document of our own, and
// a SARIF 2.1.0 log that editors and code-review services read.
#include <algorithm>
#include <cctype>
#include <map>
#include <nlohmann/json.hpp>
#include <string_view>

#include "check/bounded_findings.h"
#include "check/diagnostic_render.h"

namespace lorvenna {
namespace {

using json = nlohmann::ordered_json;

const char* severity(Severity s) { return s == Severity::error ? "error" : "warning"; }

json span(const SourceSpan& s) {
  return {{"file", s.file}, {"line", s.line}, {"column", s.column}, {"end_column", s.end_column}};
}

// A path that is not UTF-8 still makes a valid document: its stray bytes
// become U+FFFD.
std::string dumped(const json& j) {
  return j.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

// A URI reference for `path` (RFC 3986): every byte outside the characters
// a path segment may hold written as %XX, a backslash among them where it
// is a name's own character. An absolute path becomes a file: URI, which is
// what SARIF readers expect of one; a relative one whose first segment holds
// a colon starts with "./", so that it is not read as a scheme.
std::string uri(const std::string& path) {
  std::string p = path;
#ifdef _WIN32
  std::replace(p.begin(), p.end(), '\\', '/');
  const bool drive = p.size() > 1 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0]));
#else
  const bool drive = false;
#endif
  std::string out;
  if (p.starts_with('/')) {
    out = "file://";
  } else if (drive) {
    out = "file:///";
  } else if (p.substr(0, p.find('/')).find(':') != std::string::npos) {
    out = "./";
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (char c : p) {
    const auto b = static_cast<unsigned char>(c);
    if (std::isalnum(b) || std::string_view("-._~/!$&'()*+,;=:@").find(c) != std::string::npos) {
      out += c;
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  return out;
}

// SARIF's region holds only what is known: line 0 is a whole file, column 0
// a whole line. Its columns count UTF-16 units, and each Windows-1252
// character is one, so the span's columns carry over as they are.
json physical_location(const SourceSpan& s) {
  json loc = {{"artifactLocation", {{"uri", uri(s.file)}}}};
  if (s.line > 0) {
    json region = {{"startLine", s.line}};
    if (s.column > 0) {
      region["startColumn"] = s.column;
      region["endColumn"] = std::max(s.end_column, s.column + 1);
    }
    loc["region"] = region;
  }
  return loc;
}

std::string sarif_text(const Diagnostic& d) {
  std::string t = d.message;
  if (const std::string altre = altre_con(d); !altre.empty()) t += "\n" + altre;
  for (const std::string& h : d.help) t += "\nhelp: " + h;
  return t;
}

}  // namespace

std::string come_json(const std::vector<Diagnostic>& d) {
  json lista = json::array();
  for (const Diagnostic& x : in_ordine(d)) {
    json j = span(x.where);
    j["severity"] = severity(x.severity);
    j["code"] = x.code;
    j["message"] = x.message;
    j["notes"] = json::array();
    for (const DiagnosticNote& n : x.notes) {
      json note = span(n.where);
      note["message"] = n.message;
      j["notes"].push_back(note);
    }
    j["help"] = x.help;
    j["count"] = x.quante;
    lista.push_back(j);
  }
  return dumped({{"schema_version", 1}, {"diagnostics", lista}});
}

std::string come_sarif(const std::vector<Diagnostic>& d, std::string_view versione) {
  json rules = json::array();
  std::map<std::string, size_t> rule_index;
  json results = json::array();
  for (const Diagnostic& x : in_ordine(d)) {
    const auto [r, nuova] = rule_index.emplace(x.code, rule_index.size());
    if (nuova) {
      rules.push_back(
          {{"id", x.code}, {"defaultConfiguration", {{"level", severity(x.severity)}}}});
    }
    json result = {
        {"ruleId", x.code},
        {"ruleIndex", r->second},
        {"level", severity(x.severity)},
        {"message", {{"text", sarif_text(x)}}},
        {"locations", json::array({{{"physicalLocation", physical_location(x.where)}}})}};
    if (!x.notes.empty()) {
      json related = json::array();
      for (const DiagnosticNote& n : x.notes) {
        related.push_back({{"id", related.size()},
                           {"physicalLocation", physical_location(n.where)},
                           {"message", {{"text", n.message}}}});
      }
      result["relatedLocations"] = related;
    }
    if (x.quante > 1 || x.riassunto) result["properties"] = {{"count", x.quante}};
    results.push_back(result);
  }
  json driver = {{"name", "scenario-tool"}, {"version", versione}, {"rules", rules}};
  json run = {
      {"tool", {{"driver", driver}}}, {"columnKind", "utf16CodeUnits"}, {"results", results}};
  return dumped({{"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
                 {"version", "2.1.0"},
                 {"runs", json::array({run})}});
}

}  // namespace lorvenna
