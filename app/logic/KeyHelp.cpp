#include "app/logic/KeyHelp.h"

#include "app/logic/KeyBindings.h"
#include "base/TextEscape.h"

namespace kov {

const char kManKeysBegin[] = ".\\\" The keys below are written by scripts/update-key-docs.sh.\n";
const char kManKeysEnd[] = ".\\\" End of the keys.\n";
const char kGuideKeysBegin[] = "<!-- The keys below are written by scripts/update-key-docs.sh. -->\n";
const char kGuideKeysEnd[] = "<!-- End of the keys. -->\n";

namespace {

const KeySection kSections[] = {KeySection::kPicture, KeySection::kSlideShow, KeySection::kFolders,
                                KeySection::kTools, KeySection::kMouse};

// Calls row(binding) for each binding of section, in table order.
template <typename Row>
void EachBindingOf(KeySection section, Row row) {
  size_t count = 0;
  const KeyBinding* bindings = KeyBindings(&count);
  for (size_t i = 0; i < count; ++i)
    if (bindings[i].section == section) row(bindings[i]);
}

// roff reads a backslash as an escape and '-' as a hyphen that may break; a line
// starting with '.' or '\'' would be a request.
std::string RoffText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += "\\e";
    else if (c == '-') out += "\\-";
    else out += c;
  }
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
  return out;
}

std::string Padded(const std::string& text, size_t width) {
  return text.size() >= width ? text + "  " : text + std::string(width - text.size(), ' ');
}

}  // namespace

std::string KeyHelpHtml() {
  std::string html =
      // On a screen too low for the whole list (768 pixels) the box scrolls with the
      // wheel, so the last keys and the way out stay within reach.
      "<div style=\"display:inline-block;background:rgba(0,0,0,0.75);padding:12px 20px;border-radius:6px;"
      "max-height:calc(100vh - 40px);overflow-y:auto;box-sizing:border-box\">"
      "<table style=\"font:14px sans-serif;color:#ffffff;text-align:left\">";
  for (KeySection section : kSections) {
    html += "<tr><th colspan=2 style=\"padding-top:8px;color:#ffff00\">" + HtmlEscape(KeySectionTitle(section)) +
            "</th></tr>";
    EachBindingOf(section, [&](const KeyBinding& b) {
      html += "<tr><td style=\"padding-right:16px;white-space:nowrap\">" + HtmlEscape(b.keys) + "</td><td>" +
              HtmlEscape(b.action) + "</td></tr>";
    });
  }
  return html + "</table><p style=\"color:#ffff00;font:14px sans-serif\">Escape closes this list.</p></div>";
}

std::string KeyHelpText() {
  std::string text;
  for (KeySection section : kSections) {
    text += std::string(KeySectionTitle(section)) + ":\n";
    EachBindingOf(section, [&](const KeyBinding& b) { text += "  " + Padded(b.keys, 30) + b.action + "\n"; });
  }
  return text;
}

std::string KeyHelpManPage() {
  std::string roff;
  for (KeySection section : kSections) {
    roff += ".SS " + RoffText(KeySectionTitle(section)) + "\n";
    EachBindingOf(section, [&](const KeyBinding& b) {
      roff += ".TP\n.B " + RoffText(b.keys) + "\n" + RoffText(b.action) + ".\n";
    });
  }
  return roff;
}

std::string KeyHelpMarkdown() {
  std::string md;
  for (KeySection section : kSections) {
    md += std::string("### ") + KeySectionTitle(section) + "\n\n| key | what it does |\n|---|---|\n";
    EachBindingOf(section, [&](const KeyBinding& b) { md += std::string("| ") + b.keys + " | " + b.action + " |\n"; });
    md += "\n";
  }
  return md;
}

bool GeneratedPart(const std::string& document, const std::string& begin, const std::string& end,
                   std::string* part) {
  size_t from = document.find(begin);
  if (from == std::string::npos) return false;
  from += begin.size();
  size_t to = document.find(end, from);
  if (to == std::string::npos) return false;
  *part = document.substr(from, to - from);
  return true;
}

}  // namespace kov
