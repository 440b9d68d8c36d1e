// SPDX-License-Identifier: MIT
// Writes the desktop's file types from the list of formats: the shared-mime-info package of the
// text formats the program reads (the system knows the binary ones), and the desktop entry with
// the MIME types it opens.
// Usage: merinkast98-typesgen DESKTOP_TEMPLATE DESKTOP_ENTRY MIME_PACKAGE
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

#include "formats/formatlist.h"

namespace {

using merin::formats::Format;
using merin::formats::Formats;

// Extensions that name any text, left to text/plain rather than claimed.
constexpr std::string_view kPlainTextExtension = "txt";

std::string Xml(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

// The type of one text format: its names, its extensions and how its files start, with or
// without a byte-order mark (the readers skip one).
std::string MimeType(const Format& format) {
  std::string type = "  <mime-type type=\"" + Xml(format.mime) + "\">\n" +
                     "    <sub-class-of type=\"text/plain\"/>\n" + "    <comment>" +
                     Xml(format.dialogName.english) + "</comment>\n" +
                     "    <comment xml:lang=\"ja\">" + Xml(format.dialogName.japanese) +
                     "</comment>\n";
  for (const std::string_view extension : format.extensions) {
    if (extension != kPlainTextExtension)
      type += "    <glob pattern=\"*." + Xml(extension) + "\"/>\n";
  }
  if (!format.magic.empty()) {
    type += std::string("    <magic priority=\"") + (format.ownFile ? "60" : "50") + "\">\n";
    for (const char* offset : {"0", "3"}) {
      type += std::string("      <match type=\"string\" offset=\"") + offset + "\" value=\"" +
              Xml(format.magic) + "\"/>\n";
    }
    type += "    </magic>\n";
  }
  return type + "  </mime-type>\n";
}

bool Write(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  if (!out) std::cerr << "merinkast98-typesgen: cannot write " << path << "\n";
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: merinkast98-typesgen DESKTOP_TEMPLATE DESKTOP_ENTRY MIME_PACKAGE\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::string entry((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string_view placeholder = "@MIME_TYPES@";
  const size_t at = entry.find(placeholder);
  if (!in || at == std::string::npos) {
    std::cerr << "merinkast98-typesgen: no " << placeholder << " in " << argv[1] << "\n";
    return 1;
  }
  std::string opened;
  std::string package =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
  for (const Format& format : Formats()) {
    if (!format.read) continue;
    opened += std::string(format.mime) + ";";
    if (!format.binary) package += MimeType(format);
  }
  package += "</mime-info>\n";
  entry.replace(at, placeholder.size(), opened);
  return Write(argv[2], entry) && Write(argv[3], package) ? 0 : 1;
}
