#pragma once

#include <string>
#include <vector>

// The licence document (HTML, one tag per line where it opens a block) as the
// lines of a plain text: headings underlined with "-", paragraphs joined into
// one line each, lists left out, up to and including the second "<p>---" line.
// A list left open runs to the end of the document and is left out too.
std::vector<std::string> ExtractLicenceText(const std::vector<std::string>& document);
