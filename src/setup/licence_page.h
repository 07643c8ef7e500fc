#pragma once

#include <string>
#include <vector>

// The licence document as a web page of its own: one file per language in the
// settings folder (installation::LicencePageFile), each linking to the other.

// The document's lines made into the page pageFile: the body tag gets fixed
// colours, the language picture becomes a link to otherPageFile ("English" or
// "Deutsch"), and the picture linking back to the top a plain text link.
std::vector<std::string> LicencePageLines(const std::vector<std::string>& document, const std::string& pageFile,
                                          const std::string& otherPageFile);
